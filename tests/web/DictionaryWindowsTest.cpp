#include "tests/web/WebServerProcess.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

using TestSupport::SignedIn;

// The server this fixture starts closes a silent page's window after three seconds.
struct ShortSilence {
    ShortSilence() { setenv("TOWARY_WEB_WINDOW_SILENCE", "3", 1); }
    ~ShortSilence() { unsetenv("TOWARY_WEB_WINDOW_SILENCE"); }
};

// Two commission groups and a third that a company receives commission of.
class DictionaryWindows : private ShortSilence, public TestSupport::WebServerProcess {
protected:
    DictionaryWindows() {
        exec("insert into CommissionGroup (CommissionGroupId, CommissionNumber, Name, CommissionValue, DateFrom) "
             "values (1, 10, 'Nabiał', 2.5, 45000), (2, 20, 'Chemia', 3, 45000), (3, 30, 'Pieczywo', 1.25, 45000)",
             "insert into firma (lFirmaRef, sNazwa) values (5, 'Piekarnia')",
             "insert into CommissionGroupRecipient (CommissionGroupRecipientId, CommissionGroupId, lFirmaRef) "
             "values (1, 3, 5)");
    }

    httplib::Result open(const SignedIn& as, const nlohmann::json& body = nlohmann::json::object()) const {
        return post("/api/return-reasons/window", body, as);
    }
    // Calls the command of the return reasons' window.
    httplib::Result call(const std::string& window, const std::string& command, const SignedIn& as,
                         const nlohmann::json& body = nlohmann::json::object()) const {
        return post("/api/return-reasons/window/" + window + "/" + command, body, as);
    }
    httplib::Result saveGroups(const std::string& request, const nlohmann::json& loaded, const nlohmann::json& removed,
                               const SignedIn& as) const {
        return post("/api/commission-groups", {{"request", request}, {"loaded", loaded}, {"removed", removed}}, as);
    }
};

TEST_F(DictionaryWindows, OnePageHoldsTheReasonsUntilItLeavesOrFallsSilent) {
    const auto first = admin();
    const auto second = admin();
    const std::string held = json(open(first))["window"];
    EXPECT_EQ(status(call(held, "add", second)), 410) << "the same clerk's other session does not use the window";
    // The refusal's text is the window's (tests/ui/ReturnReasonBrowserTest); the browser test reads it in the page.
    EXPECT_EQ(status(open(second, {{"previous", held}})), 409) << "nor close it by naming it";
    EXPECT_EQ(status(call(held, "alive", first)), 200);
    EXPECT_EQ(status(call(held, "leave", first)), 200);
    EXPECT_EQ(status(call(held, "alive", first)), 410);
    const std::string taken = json(open(second))["window"];

    // The second page falls silent: its window closes after three seconds, and the first page may open it again.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (status(open(first)) != 200) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the silent page's window never closed";
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    EXPECT_EQ(status(get("/api/return-reasons/window/" + taken, second)), 410);
}

TEST_F(DictionaryWindows, ASaveIsWrittenOnceAndNotOverAnotherClerksChanges) {
    const auto administrator = admin();
    const std::string window = json(open(administrator))["window"];
    const int row = json(call(window, "add", administrator))["added"];
    call(window, "edit", administrator, {{"row", row}, {"column", "ReturnReason"}, {"value", "Uszkodzony"}});
    EXPECT_EQ(status(call(window, "save", administrator, {{"request", "powody-zapis-1"}})), 200);
    const auto repeated = call(window, "save", administrator, {{"request", "powody-zapis-1"}});
    EXPECT_EQ(status(repeated), 409);
    EXPECT_EQ(json(repeated)["error"], "Ten zapis już wykonano; powtórzonego żądania nie zapisano drugi raz.");
    EXPECT_EQ(sql("select ReturnReason from ReturnReason").out, "ReturnReason\nUszkodzony\n");

    const auto loaded = json(get("/api/commission-groups", administrator))["rows"];
    ASSERT_EQ(loaded.size(), 3u);
    // The cells' forms are the window's (tests/ui/CommissionGroupBrowserTest); the browser test reads them in the page.
    EXPECT_EQ(loaded[2]["id"], 3);
    // The question's and the refusal's texts are the page's to show: the browser test reads them there.
    const auto question = json(post("/api/commission-groups/delete", {{"id", 3}}, administrator));
    EXPECT_EQ(question["removed"], false);
    EXPECT_EQ(question["question"]["buttons"], (nlohmann::json{"Tak", "Nie"}));
    EXPECT_EQ(status(post("/api/commission-groups/delete", {{"id", 3}, {"answers", {{{"answer", true}}}}}, administrator)),
              409);

    exec("update CommissionGroup set Name = 'Chemia gospodarcza' where CommissionGroupId = 2",
         "insert into CommissionGroup (CommissionGroupId, CommissionNumber, Name, CommissionValue, DateFrom) "
         "values (4, 40, 'Napoje', 2, 45000)");
    const auto stale = saveGroups("prowizje-zapis-1", loaded, {1}, administrator);
    EXPECT_EQ(status(stale), 409);
    EXPECT_EQ(json(stale)["error"],
              "Od wczytania okna inny użytkownik zmienił grupy prowizyjne: zmieniono grupę „Chemia gospodarcza” (2); "
              "dodano grupę „Napoje” (4). Nic nie zapisano; wczytaj okno ponownie.");
    EXPECT_EQ(status(saveGroups("prowizje-zle-1", {{{"id", 7}, {"cells", nlohmann::json::object()}}},
                                nlohmann::json::array(), administrator)),
              400);
    EXPECT_EQ(status(saveGroups("prowizje-zle-2", loaded, {1, 1}, administrator)), 400);
    EXPECT_EQ(sql("select count(*) from CommissionGroup").out, "count(*)\n4\n");

    const auto fresh = json(get("/api/commission-groups", administrator))["rows"];
    EXPECT_EQ(json(saveGroups("prowizje-zapis-2", fresh, {1}, administrator))["rows"].size(), 3u);
    EXPECT_EQ(status(saveGroups("prowizje-zapis-2", fresh, {1}, administrator)), 409);
    EXPECT_EQ(sql("select CommissionGroupId from CommissionGroup order by 1").out, "CommissionGroupId\n2\n3\n4\n");
}

}  // namespace
