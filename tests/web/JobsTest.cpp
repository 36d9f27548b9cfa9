#include "tests/web/WebServerProcess.h"

namespace {

using TestSupport::SignedIn;

// A variant a position is filled from; a refused variant's row in the grid is the command's
// (tests/towary/OrderCommandTest).
const std::string kVariants =
    "<variants><variant><supplierIndex>HB-1200</supplierIndex><netPurchasePrice>12.5</netPurchasePrice>"
    "<catalogNetPurchasePrice>14</catalogNetPurchasePrice><purchaseMeasureUnit>kar</purchaseMeasureUnit>"
    "<purchaseMeasureUnitRate>12</purchaseMeasureUnitRate></variant></variants>";

class Jobs : public TestSupport::WebServerProcess {
protected:
    // The pending VAT changes as the page lists them, one a line: product, day, target rate.
    std::string pending(const SignedIn& as) {
        std::string rows;
        const auto changes = json(get("/api/vat/pending", as))["changes"];
        for (const auto& change : changes)
            rows += change["product"].dump() + " " + change["day"].get<std::string>() + " " +
                    change["rateTo"].get<std::string>() + "\n";
        return rows;
    }
    // Sends the variants as the clerk and runs his job over them until it asks; its question.
    nlohmann::json chooseVariant(const SignedIn& as) {
        return startJob("order-variant", {{"upload", json(upload("warianty.xml", kVariants, as))["upload"]}}, as,
                        asks)["question"];
    }
};

TEST_F(Jobs, APluCheckAsksInThePageIsRefusedTwiceAndRepairsOnYes) {
    // The milk carries "0017", whose canonical form is "17".
    exec("insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (12, '0017', 1, 1)");
    const auto admin = this->admin();
    auto job = startJob("plu-check", nlohmann::json::object(), admin, asks);
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

TEST_F(Jobs, TheVatPlanAsksInThePageThenTheDaysChangesAndAPkwiuListAreCarriedOut) {
    // The four products sell at code 1 (0%), which the plan moves to 9 (5%) on 2011-01-01 (day 40544);
    // the milk already has a change of its own planned, to 13 (23%).
    exec("update towar set sPKWiU = '10.51.1' where lTowarRef = 1",
         "insert into zmianavat (lzmianavatref, ltowarref, ddata, byvat, bapplied) values (900, 1, 40544, 13, 0)");
    const auto admin = this->admin();

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
    EXPECT_EQ(pending(admin), "1 2011-01-01 9 (5%)\n2 2011-01-01 9 (5%)\n3 2011-01-01 9 (5%)\n4 2011-01-01 9 (5%)\n");

    // The changes of the day chosen.
    const auto early = post("/api/jobs/vat-apply", {{"day", "2099-01-01"}}, admin);
    EXPECT_EQ(status(early), 400);
    EXPECT_EQ(json(early)["error"],
              "Zmiany stawek VAT zaplanowane na dzień 2099-01-01 wykonuje się w tym dniu albo później.");
    EXPECT_EQ(status(post("/api/jobs/vat-apply", {{"day", "2011-13-01"}}, admin)), 400);
    job = startJob("vat-apply", {{"day", "2011-01-01"}}, admin, ended);
    // What the changes tell is the command's (tests/towary/VatCommandTest).
    ASSERT_EQ(job["ok"], true) << job["result"];
    EXPECT_EQ(pending(admin), "");

    // The PKWiU list, sent as a file: its summary before its question, kept on yes.
    job = startJob("vat-import", {{"upload", json(upload("pkwiu.txt", "10.51\t8%\n", admin))["upload"]}}, admin, asks);
    EXPECT_EQ(told("output"), "Linia 1: PKWiU 10.51*, stawka 8%: 1 towarów\n");
    job = answer("vat-import", job, {{"answer", true}}, admin);
    ASSERT_EQ(job["ok"], true) << job["result"];
    EXPECT_EQ(pending(admin), "1 2011-01-01 12 (8%)\n");
}

TEST_F(Jobs, EachClerkChoosesAVariantInAJobOfHisOwnWhichFillsThePositionOrIsCancelled) {
    const auto admin = this->admin();
    const auto clerk = this->clerk();
    // Both clerks' jobs run at once, each asking its own grid.
    const auto his = chooseVariant(clerk);
    const auto grid = chooseVariant(admin);
    // The grid's caption and columns are the window's (tests/ui/PurchaseVariantTest); the page is sent them.
    EXPECT_EQ(grid["dialog"], "grid");

    // The administrator's answer reaches his job alone.
    const auto job = answer("order-variant", {{"question", grid}}, {{"row", 0}}, admin);
    EXPECT_EQ(job["ok"], true) << job["result"];
    // The position is the command's (tests/towary/OrderCommandTest); the page is told it.
    EXPECT_TRUE(told("output").starts_with("Pozycja zamówienia z wariantu 1:\n"
                                           "  Cena zakupu netto:                      12.5000\n"))
        << told("output");
    EXPECT_EQ(json(get("/api/jobs/order-variant", clerk))["job"]["question"], his);
    // His job, cancelled at its question, ends so, and the next he starts runs.
    ASSERT_EQ(status(post("/api/jobs/order-variant/cancel", nlohmann::json::object(), clerk)), 200);
    const auto cancelled = pollUntil("order-variant", clerk, ended);
    EXPECT_EQ(cancelled["ok"], false);
    EXPECT_EQ(cancelled["result"], "Pracę przerwano na żądanie; niezapisane zmiany wycofano.");
    EXPECT_EQ(chooseVariant(clerk)["dialog"], "grid");
}

}  // namespace
