#include "tests/web/WebServerProcess.h"

#include <tuple>

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

    std::string stored() const { return sql("select * from StatusChange order by statuschangeid").out; }
    nlohmann::json rowOf(const nlohmann::json& window, int product) const {
        for (const auto& row : window["rows"])
            if (row["productId"] == product) return row;
        return nullptr;
    }
};

TEST_F(StatusPlanning, TheWindowIsSentAsDrawnAndASaveIsStoredWholeOrRefusedWithNothingStored) {
    const auto before = stored();
    const auto administrator = admin();
    const auto dairy = clerk();
    const auto window = json(get("/api/status-changes", administrator));
    {
        SCOPED_TRACE("the window as the page draws it");
        EXPECT_EQ(window["rows"].size(), 3u);
        const auto his = json(get("/api/status-changes", dairy));
        ASSERT_EQ(his["rows"].size(), 2u) << "the dish liquid's change is not the dairy clerk's to see";
        // A row as the page draws it: status, day, whether applied, whether past, its font and background colours.
        // The cells' forms are the window's (tests/ui/StatusChangeBrowserTest); here what the page is sent.
        const auto drawn = [&](int product) {
            const auto row = rowOf(his, product);
            return nlohmann::json{row["cells"]["Status"], row["cells"]["ChangeDate"], row["cells"]["Applied"],
                                  row["past"],            row["fontColour"],          row["backgroundColour"]};
        };
        EXPECT_EQ(drawn(1), (nlohmann::json{"Wycofany", "2099-06-01", "nie", false, nullptr, "#ffffc0"}));
        EXPECT_EQ(drawn(2), (nlohmann::json{"Wycofywany", "2000-01-01", "tak", true, "#808080", nullptr}));
    }
    // A change as the page names it when it edits or removes it: its id and the time of its last save.
    const auto change = [&](int product) {
        return nlohmann::json{{"id", rowOf(window, product)["id"]}, {"modifiedAt", rowOf(window, product)["modifiedAt"]}};
    };
    const auto added = [](int product, const std::string& day) {
        return nlohmann::json::array({{{"productId", product}, {"status", 4}, {"changeDate", day}}});
    };
    auto editedMilk = change(1);
    editedMilk.update({{"status", 6}, {"changeDate", "2099-06-02"}});
    const nlohmann::json good{
        {"request", "statusy-1"}, {"changed", {editedMilk}}, {"added", added(2, "2099-07-01")}, {"removed", {change(3)}}};

    for (auto [as, save, code, error] : std::vector<std::tuple<SignedIn, nlohmann::json, int, std::string>>{
             {administrator, {{"changed", {editedMilk}}, {"added", added(3, "2000-01-02")}}, 400,
              "Nie można ustawić daty z przeszłości"},
             {dairy, {{"removed", {change(1)}}}, 403,
              "Brak uprawnienia do modyfikacji towaru Mleko łaciate (1) w jego grupie; nic nie zapisano."},
             {dairy, {{"added", added(3, "2099-07-01")}}, 404, "Nie ma towaru o identyfikatorze 3."},
             {dairy, {{"added", added(999, "2099-07-01")}}, 404, "Nie ma towaru o identyfikatorze 999."},
             {dairy, {{"removed", {change(3)}}}, 404,
              "Nie ma zaplanowanej zmiany statusu o identyfikatorze " + change(3)["id"].dump() + "."}}) {
        save["request"] = "statusy-odmowa";
        const auto refused = post("/api/status-changes", save, as);
        EXPECT_EQ(status(refused), code) << save;
        EXPECT_EQ(json(refused)["error"], error) << save;
    }
    EXPECT_EQ(stored(), before);

    // Another clerk saved the milk's change since the page read it: nothing is written over it.
    exec("update StatusChange set czasMod = czasMod + 0.5 where productid = 1");
    const auto stale = post("/api/status-changes", good, administrator);
    EXPECT_EQ(status(stale), 409);
    EXPECT_EQ(json(stale)["error"], "Od wczytania okna inny użytkownik zapisał zmiany statusu: 000123 Mleko łaciate "
                                    "na 2099-06-01. Nic nie zapisano; wczytaj okno ponownie.");
    exec("update StatusChange set czasMod = czasMod - 0.5 where productid = 1");

    const auto saved = post("/api/status-changes", good, administrator);
    ASSERT_EQ(status(saved), 200) << saved->body;
    EXPECT_EQ(status(post("/api/status-changes", good, administrator)), 409) << "a save is carried out once";
    EXPECT_EQ(json(saved)["rows"], json(get("/api/status-changes", administrator))["rows"]);
    EXPECT_EQ(sql("select productid, status, changedate from StatusChange where statuschangeid <> 900001 order by 1").out,
              "productid\tstatus\tchangedate\n1\t6\t72838\n2\t4\t72867\n");
}

}  // namespace
