#include "tests/web/WebServerProcess.h"

namespace {

using TestSupport::SignedIn;

// Planned changes of milk (01), oat milk (01, applied long ago) and the dish
// liquid (02), which the dairy clerk may not browse.
class StatusPlanning : public TestSupport::WebServerProcess {
protected:
    StatusPlanning() {
        for (const auto* product : {"1", "3"}) expectSuccess(run("status", {"plan", product, "5", "2099-06-01"}));
        exec("insert into StatusChange (statuschangeid, productid, status, changedate, applied, czasMod) "
             "values (900001, 2, 4, 36526, 1, 36526.5)");
    }

    SignedIn admin() const { return signIn("1", kAdminPassword); }
    SignedIn dairyClerk() const { return signIn("7", kClerkPassword); }
    std::string stored() const { return sql("select * from StatusChange order by statuschangeid").out; }
    nlohmann::json rowOf(const nlohmann::json& window, int product) const {
        for (const auto& row : window["rows"])
            if (row["productId"] == product) return row;
        return nullptr;
    }
};

TEST_F(StatusPlanning, TheWindowShowsTheChangesOfBrowsableProductsAsTheWindowDrawsThem) {
    const auto window = json(get("/api/status-changes", dairyClerk()));
    EXPECT_EQ(window["title"], "Planowanie zmiany statusu towarów");
    EXPECT_EQ(window["columns"][3], (nlohmann::json{{"key", "ChangeDate"}, {"caption", "Data zmiany"}}));
    EXPECT_EQ(window["actions"][3], (nlohmann::json{{"caption", "Odśwież"}, {"key", "F5"}}));
    EXPECT_EQ(window["statuses"][4], (nlohmann::json{{"code", 5}, {"name", "Wycofany"}}));
    ASSERT_EQ(window["rows"].size(), 2u) << "the dish liquid's change is not the dairy clerk's to see";

    const auto planned = rowOf(window, 1);
    EXPECT_EQ(planned["cells"]["Status"], "Wycofany");
    EXPECT_EQ(planned["cells"]["ChangeDate"], "2099-06-01");
    EXPECT_EQ(planned["cells"]["Applied"], "nie");
    EXPECT_EQ(planned["past"], false);
    EXPECT_EQ(planned["fontColour"], nullptr);
    EXPECT_EQ(planned["backgroundColour"], "#ffffc0");
    const auto applied = rowOf(window, 2);
    EXPECT_EQ(applied["cells"]["Applied"], "tak");
    EXPECT_EQ(applied["cells"]["Modified"], "2000-01-01 12:00:00");
    EXPECT_EQ(applied["fontColour"], "#808080");
    EXPECT_EQ(applied["backgroundColour"], nullptr);

    EXPECT_EQ(json(get("/api/status-changes", admin()))["rows"].size(), 3u);
}

TEST_F(StatusPlanning, ASaveIsStoredWholeOrRefusedWithNothingStored) {
    const auto before = stored();
    const auto administrator = admin();
    const auto window = json(get("/api/status-changes", administrator));
    // A change as the page names it when it edits or removes it: its id and the time of its last save.
    const nlohmann::json milkChange{{"id", rowOf(window, 1)["id"]}, {"modifiedAt", rowOf(window, 1)["modifiedAt"]}};
    const nlohmann::json liquidChange{{"id", rowOf(window, 3)["id"]}, {"modifiedAt", rowOf(window, 3)["modifiedAt"]}};
    auto editedMilk = milkChange;
    editedMilk.update({{"status", 6}, {"changeDate", "2099-06-02"}});
    const nlohmann::json pastDay{{"request", "statusy-1"},
                                 {"changed", {editedMilk}},
                                 {"added", {{{"productId", 3}, {"status", 4}, {"changeDate", "2000-01-02"}}}}};
    const auto refused = post("/api/status-changes", pastDay, administrator);
    EXPECT_EQ(refused->status, 400);
    EXPECT_EQ(json(refused)["error"], "Nie można ustawić daty z przeszłości");

    const nlohmann::json good{{"request", "statusy-2"},
                              {"changed", {editedMilk}},
                              {"added", {{{"productId", 2}, {"status", 4}, {"changeDate", "2099-07-01"}}}},
                              {"removed", {liquidChange}}};
    EXPECT_EQ(post("/api/status-changes", good, {administrator.cookie, ""})->status, 403) << "no CSRF token";
    const auto dairy = dairyClerk();
    const auto unmodifiable = post("/api/status-changes", {{"request", "statusy-3"}, {"removed", {milkChange}}}, dairy);
    EXPECT_EQ(unmodifiable->status, 403);
    EXPECT_EQ(json(unmodifiable)["error"],
              "Brak uprawnienia do modyfikacji towaru Mleko łaciate (1) w jego grupie; nic nie zapisano.");
    for (const int product : {3, 999}) {
        const auto hidden = post("/api/status-changes", {{"request", "statusy-4"}, {"added", {{{"productId", product},
                                                                     {"status", 4}, {"changeDate", "2099-07-01"}}}}},
                                 dairy);
        EXPECT_EQ(hidden->status, 404);
        EXPECT_EQ(json(hidden)["error"], "Nie ma towaru o identyfikatorze " + std::to_string(product) + ".");
    }
    EXPECT_EQ(post("/api/status-changes", {{"request", "statusy-5"}, {"removed", {liquidChange}}}, dairy)->status, 404);
    EXPECT_EQ(stored(), before);

    // Another clerk saved the milk's change since the page read it: nothing is written over it.
    exec("update StatusChange set czasMod = czasMod + 0.5 where productid = 1");
    const auto stale = post("/api/status-changes", good, administrator);
    EXPECT_EQ(stale->status, 409);
    EXPECT_EQ(json(stale)["error"], "Od wczytania okna inny użytkownik zapisał zmiany statusu: 000123 Mleko łaciate "
                                    "na 2099-06-01. Nic nie zapisano; wczytaj okno ponownie.");
    exec("update StatusChange set czasMod = czasMod - 0.5 where productid = 1");

    const auto saved = post("/api/status-changes", good, administrator);
    ASSERT_EQ(saved->status, 200) << saved->body;
    EXPECT_EQ(post("/api/status-changes", good, administrator)->status, 409) << "a save is carried out once";
    EXPECT_EQ(json(saved)["rows"], json(get("/api/status-changes", administrator))["rows"]);
    const auto list = run("status", {"list"});
    EXPECT_NE(list.out.find("\t000123\tMleko łaciate\t6 Sezonowy\t2099-06-02\tnie\t"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("\t000124\tMleko owsiane\t4 Wycofywany\t2099-07-01\tnie\t"), std::string::npos) << list.out;
    EXPECT_EQ(list.out.find("Płyn do naczyń"), std::string::npos) << list.out;
}

}  // namespace
