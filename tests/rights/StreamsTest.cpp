#include "Core/Database/Procedure.h"
#include "Core/Database/Query.h"
#include "Core/UserMessage.h"
#include "Modules/Towary/Tools/rights/Streams.h"
#include "tests/rights/RightsFixture.h"
#include "tests/support/StoreRows.h"

using GroupRights::Container;
using GroupRights::InputStream;
using GroupRights::OutputStream;
using GroupRights::Rights;

namespace {

class Streams : public RightsFixture {
protected:
    Streams() {
        exec("insert into uzytkownik (luzytkref, snazwa) values (7, 'U')");
        exec("insert into grupauzytkownikow (lgrupyuzytkref, snazwa) values (3, 'Kasjerzy')");
    }

    Container load(int user) const {
        Container container;
        InputStream stream(user, session_);
        stream >> container;
        return container;
    }

    void save(const Container& container, int owner, const OutputStream::Names& names = OutputStream::Uzytk) const {
        OutputStream(names, owner, session_).containerToStream(container);
    }

    // The stored rows of an owner: index, the seven codes and rekordemzarzadza, NULL as "-".
    std::string rows(const std::string& ownerColumn, int owner) const {
        return TestSupport::rows(session_, "select sgrindex, przegladaniegrupy, dodawanietowaru, dodawaniegrupy, "
                                           "modyfikacjatowaru, modyfikacjagrupy, usuwanietowaru, usuwaniegrupy, "
                                           "rekordemzarzadza from uzytkgrouprights where " + ownerColumn + " = " +
                                               std::to_string(owner) + " order by sgrindex",
                                 " ");
    }
};

TEST_F(Streams, SavedRightsReadBackWithTheTablesCodesOnlyChangesAreWritten) {
    Container edited;
    edited.setRights("01", Rights::fromText("YONOYINIYONINI"));
    edited.setRights("0102", Rights::fromText("NONINININININI"));
    save(edited, 7);
    EXPECT_EQ(rows("luzytkref", 7), "01 2 1 4 3 2 3 3 2\n0102 1 3 3 3 3 3 3 2\n");

    Container loaded = load(7);
    EXPECT_EQ(loaded.getRights("01"), Rights::fromText("YONOYINIYONINI"));
    EXPECT_EQ(loaded.sortedIndexes(), (std::vector<std::string>{"01", "0102"}));

    // A loaded entry set to the rights it had is not written back: the
    // change made behind the container's back stays.
    exec("update uzytkgrouprights set przegladaniegrupy = 4 where sgrindex = '01'");
    loaded.setRights("01", Rights::fromText("YONOYINIYONINI"));
    loaded.setRights("02", Rights::fromText("YIYIYIYIYIYIYI"));
    save(loaded, 7);
    EXPECT_EQ(rows("luzytkref", 7), "01 4 1 4 3 2 3 3 2\n0102 1 3 3 3 3 3 3 2\n02 4 4 4 4 4 4 4 2\n");

    // A loaded entry erased is deleted; an entry made in memory and erased calls nothing.
    Container again = load(7);
    again.erase("0102");
    again.setRights("03", Rights());
    again.erase("03");
    EXPECT_EQ(again.erased(), (std::set<std::string>{"0102"}));
    exec("insert into uzytkgrouprights (luzytkref, sgrindex, przegladaniegrupy, rekordemzarzadza) "
         "values (7, '03', 4, 2)");
    save(again, 7);
    EXPECT_EQ(rows("luzytkref", 7), "01 4 1 4 3 2 3 3 2\n02 4 4 4 4 4 4 4 2\n03 4 - - - - - - 2\n");
}

TEST_F(Streams, TheStoreRefusesWhatItCannotKeepAndKeepsNothingOfItAndOnlyTheUsersOwnRowsAreReadOtherCodesAsNotGranted) {
    Container rights;
    rights.setRights("01", Rights::allGranted());
    EXPECT_EQ(failure([&] { save(rights, 99); }), "Nie ma użytkownika o identyfikatorze 99.");
    EXPECT_EQ(failure([&] { save(rights, 99, OutputStream::Group); }),
              "Nie ma grupy użytkowników o identyfikatorze 99.");
    Container letters;
    letters.setRights("01", Rights::allGranted());
    letters.setRights("0A", Rights::allGranted());
    EXPECT_EQ(failure([&] {
                  DBKernel::TransactionGuard guard(session_);
                  save(letters, 7);
                  guard.commit();
              }),
              "Indeks grupy towarów \"0A\" może zawierać tylko cyfry.");
    EXPECT_EQ(TestSupport::count(session_, "uzytkgrouprights"), 0) << "the transaction rolled back";

    // The store's procedure itself refuses what the streams never send.
    const auto modify = [&](double user, const std::string& index, const std::string& text) {
        using DBKernel::Sql::ParamDirection, DBKernel::Sql::FieldType;
        DBKernel::Sql::Procedure call("UPRAWNIENIADOGRUPTOWAROW.MODYFIKUJUPRAWNIENIAUZYTK", session_);
        call.param("refUzytkownika", ParamDirection::Input, FieldType::Float) = user;
        call.param("indeksGrupy", ParamDirection::Input, FieldType::String) = index;
        call.param("upr", ParamDirection::Input, FieldType::String) = text;
        return failure([&] { call.execute(); });
    };
    EXPECT_EQ(modify(7, "01", "YIYI"),
              "Niepoprawny zapis uprawnień \"YIYI\": oczekiwano 14 znaków, dwóch na każde z siedmiu uprawnień (Y lub "
              "N, potem I lub O).");
    EXPECT_EQ(modify(7, "", "YIYIYIYIYIYIYI"), "Nie podano indeksu grupy towarów, której dotyczą uprawnienia.");
    EXPECT_EQ(modify(7.5, "01", "YIYIYIYIYIYIYI"), "Nie ma użytkownika o identyfikatorze 7.5.");
    EXPECT_EQ(TestSupport::count(session_, "uzytkgrouprights"), 0);

    // Other codes read as not granted, inherited; only the user's own rows are read.
    exec("insert into uzytkgrouprights (luzytkref, sgrindex, przegladaniegrupy, dodawanietowaru, rekordemzarzadza) "
         "values (7, '01', 0, 9, 2)");
    Container group;
    group.setRights("02", Rights::allGranted());
    save(group, 3, OutputStream::Group);
    EXPECT_EQ(rows("lgrupyuzytkref", 3), "02 4 4 4 4 4 4 4 1\n");

    const Container loaded = load(7);
    EXPECT_EQ(loaded.getRights("01"), Rights()) << "0, 9 and NULL";
    EXPECT_EQ(loaded.getRights("02"), Rights()) << "the user group's row is not the user's";
    EXPECT_TRUE(load(8).allRightsGranted()) << "a user without entries";

    EXPECT_TRUE(load(3).allRightsGranted()) << "user 3 is not user group 3";
    Container ofGroup;
    GroupRights::InputStream::forUserGroup(3, session_).containerFromStream(ofGroup);
    EXPECT_EQ(ofGroup.getRights("0201"), Rights::allGranted());
}

}  // namespace
