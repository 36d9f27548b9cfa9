#include "tests/web/WebServerProcess.h"

namespace {

using TestSupport::SignedIn;

// The store's milk carries "0017", whose canonical form is "17".
class Jobs : public TestSupport::WebServerProcess {
protected:
    Jobs() { exec("insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (12, '0017', 1, 1)"); }
};

TEST_F(Jobs, APluCheckAsksInThePageIsRefusedTwiceAndRepairsOnYes) {
    const auto admin = signIn("1", kAdminPassword);
    EXPECT_EQ(post("/api/jobs/plu-check", nlohmann::json::object(), {admin.cookie, ""})->status, 403) << "no CSRF token";
    const auto clerk = signIn("7", kClerkPassword);
    const auto notHis = post("/api/jobs/plu-check", nlohmann::json::object(), clerk);
    EXPECT_EQ(notHis->status, 403);
    EXPECT_EQ(json(notHis)["error"], "Sprawdzenie kodów PLU i odczyt wieczorny obejmują cały sklep: uruchamia je i "
                                     "ogląda tylko administrator.");
    EXPECT_EQ(get("/api/jobs/plu-check", clerk)->status, 403);

    // A job cancelled at its question ends with nothing changed, and the next starts.
    ASSERT_EQ(post("/api/jobs/plu-check", nlohmann::json::object(), admin)->status, 202);
    pollUntil("plu-check", admin, asks);
    ASSERT_EQ(post("/api/jobs/plu-check/cancel", nlohmann::json::object(), admin)->status, 200);
    auto job = pollUntil("plu-check", admin, ended);
    EXPECT_EQ(job["ok"], false);
    EXPECT_EQ(job["result"], "Pracę przerwano na żądanie; niezapisane zmiany wycofano.");
    lines.clear();

    ASSERT_EQ(post("/api/jobs/plu-check", nlohmann::json::object(), admin)->status, 202);
    job = pollUntil("plu-check", admin, asks);
    const auto viewer = job["question"];
    EXPECT_EQ(viewer["dialog"], "viewer");
    EXPECT_EQ(viewer["title"], "Nieprawidłowe plu");
    EXPECT_EQ(viewer["buttons"], (nlohmann::json{"OK", "Anuluj"}));
    EXPECT_EQ(viewer["table"]["rows"][0], (nlohmann::json{"do poprawienia", "0017", "17", "Mleko łaciate", "000123", ""}));
    EXPECT_EQ(lines.front()["type"], "progress");

    const auto second = post("/api/jobs/plu-check", nlohmann::json::object(), admin);
    EXPECT_EQ(second->status, 409);
    EXPECT_TRUE(json(second)["error"].get<std::string>().starts_with("Sprawdzanie kodów PLU już trwa (uruchomił je "))
        << second->body;

    EXPECT_EQ(post("/api/jobs/plu-check/answer", {{"question", viewer["id"]}, {"answer", "tak"}}, admin)->status, 400)
        << "an answer of another shape is refused, not read as no";
    ASSERT_EQ(post("/api/jobs/plu-check/answer", {{"question", viewer["id"]}, {"answer", true}}, admin)->status, 200);
    EXPECT_EQ(post("/api/jobs/plu-check/answer", {{"question", viewer["id"]}, {"answer", true}}, admin)->status, 409)
        << "a question is answered once";
    job = pollUntil("plu-check", admin, asks);
    EXPECT_EQ(job["question"]["text"], "Czy chcesz usunąć lub poprawić wszystkie błędne kody ?");
    EXPECT_EQ(sql("select sPLU from plu where lPluRef = 12").out, "sPLU\n0017\n") << "nothing changed before the yes";
    ASSERT_EQ(post("/api/jobs/plu-check/answer", {{"question", job["question"]["id"]}, {"answer", true}}, admin)->status,
              200);
    job = pollUntil("plu-check", admin, ended);
    EXPECT_EQ(job["ok"], true);
    EXPECT_EQ(sql("select sPLU, byStatus from plu where lPluRef = 12").out, "sPLU\tbyStatus\n17\t1\n");
}

TEST_F(Jobs, TheEveningRunTellsItsStepsAndItsLogIsReadByDay) {
    const auto admin = signIn("1", kAdminPassword);
    EXPECT_EQ(post("/api/jobs/evening", {{"day", "2011-02-30"}}, admin)->status, 400);
    ASSERT_EQ(post("/api/jobs/evening", {{"day", "2011-01-01"}}, admin)->status, 202);
    const auto job = pollUntil("evening", admin, ended);
    std::vector<std::string> steps;
    for (const auto& line : lines)
        if (line["type"] == "step") steps.push_back(line["state"].get<std::string>() + " " + line["guid"].get<std::string>());
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(steps[0], "started {0A9C7BD6-2D5C-4FAC-85EE-03BEA0E1C429}");
    EXPECT_EQ(steps[1], "ended {0A9C7BD6-2D5C-4FAC-85EE-03BEA0E1C429}");

    EXPECT_EQ(json(get("/api/evening/logs", admin))["days"], (nlohmann::json{"2011-01-01"}));
    const auto log = json(get("/api/evening/logs/2011-01-01", admin))["text"].get<std::string>();
    EXPECT_NE(log.find("Odczyt wieczorny, dzień 2011-01-01"), std::string::npos) << log;
    EXPECT_EQ(get("/api/evening/logs/2011-01-02", admin)->status, 404);
    EXPECT_EQ(get("/api/evening/logs/..%2Ftowary.toml", admin)->status, 400);
}

TEST_F(Jobs, AProductFileIsSentAndImportedWithItsProgressOrRefusedWholeAndTheStoreIsExported) {
    const auto admin = signIn("1", kAdminPassword);
    const auto clerk = signIn("7", kClerkPassword);
    const auto send = [this](const std::string& name, const std::string& bytes, const SignedIn& as) {
        return client().Post("/api/uploads?name=" + name, {{"Cookie", as.cookie}, {"X-CSRF-Token", as.csrf}}, bytes,
                             "text/csv");
    };
    const auto import = [&](const std::string& name, const std::string& bytes) {
        const auto sent = send(name, bytes, admin);
        EXPECT_EQ(sent->status, 201);
        lines.clear();
        EXPECT_EQ(post("/api/jobs/products-import", {{"upload", json(sent)["upload"]}}, admin)->status, 202);
        return pollUntil("products-import", admin, ended);
    };

    // A bad row refuses the whole file, named as the clerk named it.
    auto job = import("ser%20zly.csv", "sNazwa,sGrIndex,byVAT\nSer żółty,0101,1\nSer biały,0101,x\n");
    EXPECT_EQ(job["result"], "ser zly.csv, wiersz 3: kolumna byVAT: \"x\" nie jest liczbą całkowitą");
    EXPECT_EQ(sql("select count(*) n from towar where sNazwa like 'Ser%'").out, "n\n0\n");

    job = import("sery.csv", "sNazwa,sGrIndex,sPLU,byStatus\nSer żółty,0101,,\n,,5909990001234,1\n");
    ASSERT_EQ(job["ok"], true) << job["result"];
    EXPECT_EQ(lines.back()["type"], "end");
    const auto stored = lines[lines.size() - 3];
    EXPECT_EQ(stored["done"], 2);
    EXPECT_EQ(stored["total"], 2);
    EXPECT_EQ(sql("select p.sPLU from towar t join plu p on p.lTowarRef = t.lTowarRef where t.sNazwa = 'Ser żółty'").out,
              "sPLU\n5909990001234\n");

    // The export is the command's file.
    const auto exported = get("/api/export/products.csv", admin);
    EXPECT_EQ(exported->get_header_value("Content-Disposition"), "attachment; filename=\"towary.csv\"");
    EXPECT_EQ(exported->body, run("products", {"export"}).out);

    // Any clerk sends a file for a question, but only the administrator imports or exports, and
    // a file is named only by the clerk who sent it.
    const auto his = send("sery.csv", "sNazwa\nSer\n", clerk);
    EXPECT_EQ(his->status, 201);
    const auto notHis = post("/api/jobs/products-import", {{"upload", json(his)["upload"]}}, clerk);
    EXPECT_EQ(notHis->status, 403);
    EXPECT_EQ(json(notHis)["error"], "Import i eksport towarów obejmują cały sklep: uruchamia je i ogląda tylko "
                                     "administrator.");
    EXPECT_EQ(get("/api/export/products.csv", clerk)->status, 403);
    EXPECT_EQ(post("/api/jobs/products-import", {{"upload", json(his)["upload"]}}, admin)->status, 404);
    EXPECT_EQ(client().Post("/api/uploads", {{"Cookie", clerk.cookie}}, "x", "text/csv")->status, 403) << "no CSRF token";
}

}  // namespace
