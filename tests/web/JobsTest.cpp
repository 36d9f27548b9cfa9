#include "tests/web/WebServerProcess.h"

namespace {

// The store's milk carries "0017", whose canonical form is "17".
class Jobs : public TestSupport::WebServerProcess {
protected:
    Jobs() { exec("insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (12, '0017', 1, 1)"); }
};

TEST_F(Jobs, APluCheckAsksInThePageIsRefusedTwiceAndRepairsOnYes) {
    const auto admin = this->admin();
    // A job cancelled at its question ends with nothing changed, and the next starts.
    startJob("plu-check", nlohmann::json::object(), admin, asks);
    ASSERT_EQ(status(post("/api/jobs/plu-check/cancel", nlohmann::json::object(), admin)), 200);
    auto job = pollUntil("plu-check", admin, ended);
    EXPECT_EQ(job["ok"], false);
    EXPECT_EQ(job["result"], "Pracę przerwano na żądanie; niezapisane zmiany wycofano.");

    job = startJob("plu-check", nlohmann::json::object(), admin, asks);
    const auto viewer = job["question"];
    EXPECT_EQ(viewer["dialog"], "viewer");
    EXPECT_EQ(viewer["table"]["rows"][0], (nlohmann::json{"do poprawienia", "0017", "17", "Mleko łaciate", "000123", ""}));
    EXPECT_EQ(lines.front()["type"], "progress");
    const auto second = post("/api/jobs/plu-check", nlohmann::json::object(), admin);
    EXPECT_EQ(status(second), 409);
    EXPECT_TRUE(json(second)["error"].get<std::string>().starts_with("Sprawdzanie kodów PLU już trwa (uruchomił je "))
        << second->body;

    const auto answerViewer = [&](const nlohmann::json& answer) {
        return status(post("/api/jobs/plu-check/answer", {{"question", viewer["id"]}, {"answer", answer}}, admin));
    };
    EXPECT_EQ(answerViewer("tak"), 400) << "an answer of another shape is refused, not read as no";
    ASSERT_EQ(answerViewer(true), 200);
    EXPECT_EQ(answerViewer(true), 409) << "a question is answered once";
    job = pollUntil("plu-check", admin, asks);
    EXPECT_EQ(job["question"]["text"], "Czy chcesz usunąć lub poprawić wszystkie błędne kody ?");
    EXPECT_EQ(sql("select sPLU from plu where lPluRef = 12").out, "sPLU\n0017\n") << "nothing changed before the yes";
    EXPECT_EQ(answer("plu-check", job, {{"answer", true}}, admin)["ok"], true);
    EXPECT_EQ(sql("select sPLU, byStatus from plu where lPluRef = 12").out, "sPLU\tbyStatus\n17\t1\n");
}

TEST_F(Jobs, TheEveningRunTellsItsStepsAndItsLogIsReadByDay) {
    const auto admin = this->admin();
    EXPECT_EQ(status(post("/api/jobs/evening", {{"day", "2011-02-30"}}, admin)), 400);
    startJob("evening", {{"day", "2011-01-01"}}, admin, ended);
    std::string steps;
    for (const auto& line : lines)
        if (line["type"] == "step") steps += line["state"].get<std::string>() + " " + line["guid"].get<std::string>() + "\n";
    EXPECT_TRUE(steps.starts_with("started {0A9C7BD6-2D5C-4FAC-85EE-03BEA0E1C429}\n"
                                  "ended {0A9C7BD6-2D5C-4FAC-85EE-03BEA0E1C429}\n"))
        << steps;

    EXPECT_EQ(json(get("/api/evening/logs", admin))["days"], (nlohmann::json{"2011-01-01"}));
    const auto log = json(get("/api/evening/logs/2011-01-01", admin))["text"].get<std::string>();
    EXPECT_NE(log.find("Odczyt wieczorny, dzień 2011-01-01"), std::string::npos) << log;
    EXPECT_EQ(status(get("/api/evening/logs/2011-01-02", admin)), 404);
    EXPECT_EQ(status(get("/api/evening/logs/..%2Ftowary.toml", admin)), 400);
}

TEST_F(Jobs, AProductFileIsSentAndImportedWithItsProgressOrRefusedWholeAndTheStoreIsExported) {
    const auto admin = this->admin();
    const auto import = [&](const std::string& name, const std::string& bytes) {
        const auto sent = upload(name, bytes, admin);
        EXPECT_EQ(status(sent), 201);
        return startJob("products-import", {{"upload", json(sent)["upload"]}}, admin, ended);
    };
    // A bad row refuses the whole file, named as the clerk named it.
    auto job = import("ser%20zly.csv", "sNazwa,sGrIndex,byVAT\nSer żółty,0101,1\nSer biały,0101,x\n");
    EXPECT_EQ(job["result"], "ser zly.csv, wiersz 3: kolumna byVAT: \"x\" nie jest liczbą całkowitą");
    EXPECT_EQ(sql("select count(*) n from towar where sNazwa like 'Ser%'").out, "n\n0\n");

    job = import("sery.csv", "sNazwa,sGrIndex,sPLU,byStatus\nSer żółty,0101,,\n,,5909990001234,1\n");
    ASSERT_EQ(job["ok"], true) << job["result"];
    EXPECT_EQ(lines.back()["type"], "end");
    EXPECT_EQ(lines[lines.size() - 3]["done"], 2);
    EXPECT_EQ(lines[lines.size() - 3]["total"], 2);

    // The export is the command's file.
    const auto exported = get("/api/export/products.csv", admin);
    EXPECT_EQ(exported->get_header_value("Content-Disposition"), "attachment; filename=\"towary.csv\"");
    EXPECT_EQ(exported->body, run("products", {"export"}).out);

    // Any clerk sends a file for a question, and a file is named only by the clerk who sent it.
    const auto his = upload("sery.csv", "sNazwa\nSer\n", clerk());
    EXPECT_EQ(status(his), 201);
    EXPECT_EQ(status(post("/api/jobs/products-import", {{"upload", json(his)["upload"]}}, admin)), 404);
}

}  // namespace
