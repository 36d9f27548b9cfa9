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

TEST_F(VatJobs, ThePlanAsksInThePageThenTheDaysChangesAndAPkwiuListAreCarriedOut) {
    const auto admin = this->admin();
    EXPECT_EQ(pending(admin), (std::vector<std::string>{"1 2011-01-01 13 (23%)"}));

    // The plan's window, then the overwrite's own question, with the module's texts, buttons and defaults.
    auto job = startJob("vat-plan", nlohmann::json::object(), admin, asks);
    auto question = job["question"];
    question.erase("id");
    EXPECT_EQ(question, nlohmann::json::parse(R"({"type": "question", "dialog": "ask-options", "title": "Pytanie...",
        "text": "Zaplanować zmiany stawek VAT?", "buttons": ["Tak", "Nie"],
        "options": [{"id": "OVERWRITE", "checked": false, "caption": "Nadpisz zaplanowane wcześniej zmiany stawek"}]})"));
    job = answer("vat-plan", job, {{"answer", true}, {"ticked", {"OVERWRITE"}}}, admin);
    EXPECT_EQ(job["question"]["text"],
              "Czy na pewno chcesz usunąć wcześniej zaplanowane zmiany stawek VAT dla wszystkich towarów w bazie?");
    job = answer("vat-plan", job, {{"answer", true}}, admin);
    ASSERT_EQ(job["ok"], true) << job["result"];
    EXPECT_EQ(pending(admin), (std::vector<std::string>{"1 2011-01-01 9 (5%)", "2 2011-01-01 9 (5%)",
                                                        "3 2011-01-01 9 (5%)", "4 2011-01-01 9 (5%)"}));

    // The changes of the day chosen.
    const auto early = post("/api/jobs/vat-apply", {{"day", "2099-01-01"}}, admin);
    EXPECT_EQ(status(early), 400);
    EXPECT_EQ(json(early)["error"],
              "Zmiany stawek VAT zaplanowane na dzień 2099-01-01 wykonuje się w tym dniu albo później.");
    job = startJob("vat-apply", {{"day", "2011-01-01"}}, admin, ended);
    ASSERT_EQ(job["ok"], true) << job["result"];
    EXPECT_NE(told("output").find("Zmodyfikowano stawkę VAT dla 4 towarów."), std::string::npos) << told("output");
    EXPECT_EQ(sql("select count(*) n from towar where byVAT = 9").out, "n\n4\n");
    EXPECT_TRUE(pending(admin).empty());

    // The PKWiU list, sent as a file: its summary before its question, kept on yes.
    job = startJob("vat-import", {{"upload", json(upload("pkwiu.txt", "10.51\t8%\n", admin))["upload"]}}, admin, asks);
    EXPECT_EQ(told("output"), "Linia 1: PKWiU 10.51*, stawka 8%: 1 towarów\n");
    job = answer("vat-import", job, {{"answer", true}}, admin);
    ASSERT_EQ(job["ok"], true) << job["result"];
    EXPECT_EQ(pending(admin), (std::vector<std::string>{"1 2011-01-01 12 (8%)"}));
}

}  // namespace
