#include "tests/web/WebServerProcess.h"

namespace {

using TestSupport::SignedIn;

// The store's four products sell at code 1 (0%), which the plan moves to 9 (5%) on 2011-01-01 (day 40544);
// the milk already has a change of its own planned, to 13 (23%).
class VatJobs : public TestSupport::WebServerProcess {
protected:
    VatJobs() {
        exec("update towar set sPKWiU = '10.51.1' where lTowarRef = 1",
             "insert into zmianavat (lzmianavatref, ltowarref, ddata, byvat, bapplied) values (900, 1, 40544, 13, 0)");
    }

    // Answers the job's pending question and waits for what follows it.
    nlohmann::json answer(const std::string& kind, const nlohmann::json& job, nlohmann::json reply, const SignedIn& as) {
        reply["question"] = job["question"]["id"];
        EXPECT_EQ(post("/api/jobs/" + kind + "/answer", reply, as)->status, 200);
        return pollUntil(kind, as, [](const nlohmann::json& next) { return asks(next) || ended(next); });
    }
    // The pending changes as the page lists them: product, day, target rate.
    std::vector<std::string> pending(const SignedIn& as) {
        std::vector<std::string> rows;
        const auto changes = json(get("/api/vat/pending", as))["changes"];
        for (const auto& change : changes)
            rows.push_back(std::to_string(change["product"].get<int>()) + " " + change["day"].get<std::string>() + " " +
                           change["rateTo"].get<std::string>());
        return rows;
    }
};

TEST_F(VatJobs, ThePlanAsksInThePageThenTheDaysChangesAndAPkwiuListAreCarriedOutForTheAdministratorOnly) {
    const auto clerk = signIn("7", kClerkPassword);
    const auto notHis = post("/api/jobs/vat-plan", nlohmann::json::object(), clerk);
    EXPECT_EQ(notHis->status, 403);
    EXPECT_EQ(json(notHis)["error"], "Zmiany stawek VAT obejmują cały sklep: planuje je, wykonuje i ogląda tylko "
                                     "administrator.");
    EXPECT_EQ(get("/api/vat/pending", clerk)->status, 403);
    const auto admin = signIn("1", kAdminPassword);
    EXPECT_EQ(pending(admin), (std::vector<std::string>{"1 2011-01-01 13 (23%)"}));
    // The pending list is the command's: one row of the page for each of its lines.
    const auto listed = json(get("/api/vat/pending", admin))["changes"][0];
    EXPECT_EQ(run("vat", {"pending"}).out, "Towar\tIndeks\tNazwa\tDzień\tStawka obecna\tStawka docelowa\n1\t" +
                                               listed["articleIndex"].get<std::string>() + "\tMleko łaciate\t2011-01-01\t" +
                                               listed["rateFrom"].get<std::string>() + "\t13 (23%)\n");

    // The plan's window, then the overwrite's own question, with the module's texts, buttons and defaults.
    ASSERT_EQ(post("/api/jobs/vat-plan", nlohmann::json::object(), admin)->status, 202);
    auto job = pollUntil("vat-plan", admin, asks);
    EXPECT_EQ(job["question"]["dialog"], "ask-options");
    EXPECT_EQ(job["question"]["title"], "Pytanie...");
    EXPECT_EQ(job["question"]["text"], "Zaplanować zmiany stawek VAT?");
    EXPECT_EQ(job["question"]["buttons"], (nlohmann::json{"Tak", "Nie"}));
    EXPECT_EQ(job["question"]["options"], (nlohmann::json::parse(R"([{"id": "OVERWRITE", "checked": false,
                                               "caption": "Nadpisz zaplanowane wcześniej zmiany stawek"}])")));
    job = answer("vat-plan", job, {{"answer", true}, {"ticked", {"OVERWRITE"}}}, admin);
    EXPECT_EQ(job["question"]["text"],
              "Czy na pewno chcesz usunąć wcześniej zaplanowane zmiany stawek VAT dla wszystkich towarów w bazie?");
    job = answer("vat-plan", job, {{"answer", true}}, admin);
    ASSERT_EQ(job["ok"], true) << job["result"];
    EXPECT_EQ(pending(admin), (std::vector<std::string>{"1 2011-01-01 9 (5%)", "2 2011-01-01 9 (5%)",
                                                        "3 2011-01-01 9 (5%)", "4 2011-01-01 9 (5%)"}));

    // The changes of the day chosen.
    EXPECT_EQ(post("/api/jobs/vat-apply", {{"day", "2011-13-01"}}, admin)->status, 400);
    const auto early = post("/api/jobs/vat-apply", {{"day", "2099-01-01"}}, admin);
    EXPECT_EQ(early->status, 400);
    EXPECT_EQ(json(early)["error"],
              "Zmiany stawek VAT zaplanowane na dzień 2099-01-01 wykonuje się w tym dniu albo później.");
    lines.clear();
    ASSERT_EQ(post("/api/jobs/vat-apply", {{"day", "2011-01-01"}}, admin)->status, 202);
    job = pollUntil("vat-apply", admin, ended);
    ASSERT_EQ(job["ok"], true) << job["result"];
    std::string told;
    for (const auto& line : lines)
        if (line["type"] == "output") told += line["text"].get<std::string>();
    EXPECT_NE(told.find("Zmodyfikowano stawkę VAT dla 4 towarów."), std::string::npos) << told;
    EXPECT_EQ(sql("select count(*) n from towar where byVAT = 9").out, "n\n4\n");
    EXPECT_TRUE(pending(admin).empty());

    // The PKWiU list, sent as a file: its summary before its question, kept on yes.
    const auto sent = client().Post("/api/uploads?name=pkwiu.txt", {{"Cookie", admin.cookie}, {"X-CSRF-Token", admin.csrf}},
                                    "10.51\t8%\n", "text/plain");
    ASSERT_EQ(sent->status, 201);
    lines.clear();
    ASSERT_EQ(post("/api/jobs/vat-import", {{"upload", json(sent)["upload"]}}, admin)->status, 202);
    job = pollUntil("vat-import", admin, asks);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2]["text"], "Linia 1: PKWiU 10.51*, stawka 8%: 1 towarów\n");
    EXPECT_EQ(lines.back()["type"], "question");
    EXPECT_EQ(job["question"]["text"], "Zmieniono stawki VAT dla 1 towarów. Zachować zmiany?");
    job = answer("vat-import", job, {{"answer", true}}, admin);
    ASSERT_EQ(job["ok"], true) << job["result"];
    EXPECT_EQ(pending(admin), (std::vector<std::string>{"1 2011-01-01 12 (8%)"}));
}

}  // namespace
