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
    static constexpr const char* kHeldByAnother =
        "Powodów zwrotów nie można teraz edytować: sklep trzyma inne okno powodów zwrotów albo inne polecenie towary, "
        "które w nim zapisuje. Poczekaj, aż zapisze lub anuluje zmiany, i spróbuj ponownie.";

    DictionaryWindows() {
        exec("insert into CommissionGroup (CommissionGroupId, CommissionNumber, Name, CommissionValue, DateFrom) "
             "values (1, 10, 'Nabiał', 2.5, 45000), (2, 20, 'Chemia', 3, 45000), (3, 30, 'Pieczywo', 1.25, 45000)",
             "insert into firma (lFirmaRef, sNazwa) values (5, 'Piekarnia')",
             "insert into CommissionGroupRecipient (CommissionGroupRecipientId, CommissionGroupId, lFirmaRef) "
             "values (1, 3, 5)");
    }

    SignedIn admin() const { return signIn("1", kAdminPassword); }
    int status(const httplib::Result& result) const { return result ? result->status : 0; }
    std::string opened(const SignedIn& as) const {
        const auto result = post("/api/return-reasons/window", nlohmann::json::object(), as);
        EXPECT_EQ(status(result), 200) << result->body;
        return json(result)["window"];
    }
    std::string windowPath(const std::string& window, const std::string& command) const {
        return "/api/return-reasons/window/" + window + "/" + command;
    }
};

TEST_F(DictionaryWindows, EveryCallNeedsTheWindowsMenuItemRightAndWritesTheCsrfToken) {
    const auto dairy = signIn("7", kClerkPassword);
    const auto refusedReasons = post("/api/return-reasons/window", nlohmann::json::object(), dairy);
    EXPECT_EQ(status(refusedReasons), 403);
    EXPECT_EQ(json(refusedReasons)["error"],
              "Brak uprawnienia do okna „Powody zwrotów” (pozycja menu .miSpisy.miDictionaries.miReturnReasonBrowser): "
              "słowniki całego sklepu zmienia tylko administrator.");
    EXPECT_EQ(status(post("/api/return-reasons/send", nlohmann::json::object(), dairy)), 403);
    EXPECT_EQ(status(get("/api/commission-groups", dairy)), 403);
    EXPECT_EQ(status(post("/api/commission-groups/delete", {{"id", 1}}, dairy)), 403);

    const auto administrator = admin();
    const auto window = opened(administrator);
    EXPECT_EQ(status(post(windowPath(window, "add"), nlohmann::json::object(), {administrator.cookie, ""})), 403);
    EXPECT_EQ(status(post(windowPath(window, "add"), nlohmann::json::object(), dairy)), 403)
        << "another clerk's window is not his to use";
    EXPECT_EQ(status(post("/api/commission-groups", {{"request", "abcdefgh"}, {"loaded", nlohmann::json::array()},
                                                     {"removed", {1}}},
                          {administrator.cookie, ""})),
              403);
    EXPECT_EQ(sql("select count(*) from CommissionGroup").out, "count(*)\n3\n");
}

TEST_F(DictionaryWindows, OnePageHoldsTheReasonsUntilItLeavesOrFallsSilent) {
    const auto first = admin();
    const auto second = admin();
    const auto held = opened(first);
    EXPECT_EQ(status(post(windowPath(held, "add"), nlohmann::json::object(), second)), 410)
        << "the same clerk's other session does not use the window";
    const auto refused = post("/api/return-reasons/window", {{"previous", held}}, second);
    EXPECT_EQ(status(refused), 409) << "nor close it by naming it";
    EXPECT_EQ(json(refused)["error"], kHeldByAnother);
    EXPECT_EQ(status(post(windowPath(held, "alive"), nlohmann::json::object(), first)), 200);

    EXPECT_EQ(status(post(windowPath(held, "leave"), nlohmann::json::object(), first)), 200);
    EXPECT_EQ(status(post(windowPath(held, "alive"), nlohmann::json::object(), first)), 410);
    const auto taken = opened(second);

    // The second page falls silent: its window closes after three seconds, and the first page may open it again.
    std::string reopened;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (reopened.empty() && std::chrono::steady_clock::now() < deadline) {
        const auto result = post("/api/return-reasons/window", nlohmann::json::object(), first);
        if (status(result) == 200) reopened = json(result)["window"];
        else std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    EXPECT_FALSE(reopened.empty());
    EXPECT_EQ(status(get("/api/return-reasons/window/" + taken, second)), 410);
}

TEST_F(DictionaryWindows, ASaveIsWrittenOnceAndNotOverAnotherClerksChanges) {
    const auto administrator = admin();
    const auto window = opened(administrator);
    const int row = json(post(windowPath(window, "add"), nlohmann::json::object(), administrator))["added"];
    post(windowPath(window, "edit"), {{"row", row}, {"column", "ReturnReason"}, {"value", "Uszkodzony"}},
         administrator);
    const nlohmann::json save{{"request", "powody-zapis-1"}};
    EXPECT_EQ(status(post(windowPath(window, "save"), save, administrator)), 200);
    const auto repeated = post(windowPath(window, "save"), save, administrator);
    EXPECT_EQ(status(repeated), 409);
    EXPECT_EQ(json(repeated)["error"], "Ten zapis już wykonano; powtórzonego żądania nie zapisano drugi raz.");
    EXPECT_EQ(sql("select ReturnReason from ReturnReason").out, "ReturnReason\nUszkodzony\n");

    const auto loaded = json(get("/api/commission-groups", administrator))["rows"];
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[2], (nlohmann::json{{"id", 3}, {"cells", {{"COMMISSIONNUMBER", "30"}, {"NAME", "Pieczywo"},
                                                               {"COMMISSIONVALUE", "1.25"},
                                                               {"DATEFROM", "2023-03-15"}}}}));
    const auto question = json(post("/api/commission-groups/delete", {{"id", 3}}, administrator));
    EXPECT_EQ(question["removed"], false);
    EXPECT_EQ(question["question"]["text"], "Czy na pewno chcesz usunąć grupę 'Pieczywo'?");
    EXPECT_EQ(question["question"]["buttons"], (nlohmann::json{"Tak", "Nie"}));
    const auto withRecipients =
        post("/api/commission-groups/delete", {{"id", 3}, {"answers", {{{"answer", true}}}}}, administrator);
    EXPECT_EQ(status(withRecipients), 409);
    EXPECT_EQ(json(withRecipients)["error"], "Istnieją odbiorcy powiązani z grupą prowizyjną!\n\nUsunięcie nie powiodło się.");

    exec("update CommissionGroup set Name = 'Chemia gospodarcza' where CommissionGroupId = 2",
         "insert into CommissionGroup (CommissionGroupId, CommissionNumber, Name, CommissionValue, DateFrom) "
         "values (4, 40, 'Napoje', 2, 45000)");
    const auto stale = post("/api/commission-groups", {{"request", "prowizje-zapis-1"}, {"loaded", loaded},
                                                       {"removed", {1}}},
                            administrator);
    EXPECT_EQ(status(stale), 409);
    for (const auto& broken : {nlohmann::json{{"loaded", {{{"id", 7}, {"cells", nlohmann::json::object()}}}},
                                              {"removed", nlohmann::json::array()}},
                               nlohmann::json{{"loaded", loaded}, {"removed", {1, 1}}}}) {
        auto body = broken;
        body["request"] = "prowizje-zle-1";
        EXPECT_EQ(status(post("/api/commission-groups", body, administrator)), 400) << body;
    }
    EXPECT_EQ(json(stale)["error"],
              "Od wczytania okna inny użytkownik zmienił grupy prowizyjne: zmieniono grupę „Chemia gospodarcza” (2); "
              "dodano grupę „Napoje” (4). Nic nie zapisano; wczytaj okno ponownie.");
    EXPECT_EQ(sql("select count(*) from CommissionGroup").out, "count(*)\n4\n");

    const nlohmann::json fresh{{"request", "prowizje-zapis-2"},
                               {"loaded", json(get("/api/commission-groups", administrator))["rows"]},
                               {"removed", {1}}};
    EXPECT_EQ(json(post("/api/commission-groups", fresh, administrator))["rows"].size(), 3u);
    EXPECT_EQ(status(post("/api/commission-groups", fresh, administrator)), 409);
    EXPECT_EQ(sql("select CommissionGroupId from CommissionGroup order by 1").out, "CommissionGroupId\n2\n3\n4\n");
}

}  // namespace
