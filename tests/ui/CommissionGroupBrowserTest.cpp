#include "Modules/Towary/Tools/ui/CommissionGroupBrowser.h"
#include "tests/support/Failure.h"
#include "tests/ui/DictionaryStore.h"

namespace {

using namespace Towary::ProductTools;
using Removal = CommissionGroupBrowser::Removal;

class CommissionGroupWindow : public DictionaryStore {
protected:
    CommissionGroupWindow() {
        // Chemia is free to go; Kosmetyki has a recipient; Prasa is named by a product.
        TestSupport::exec({}, "insert into firma (lFirmaRef, sNazwa) values (1, 'Hurtownia Północ')");
        TestSupport::exec({}, "insert into CommissionGroup (CommissionGroupId, CommissionNumber, Name, CommissionValue,"
                              " DateFrom) values (11, 10, 'Chemia', 2.5, 45292), (12, 20, 'Kosmetyki', 3, 45300),"
                              " (13, 30, 'Prasa', 1.25, 45301), (14, 40, 'Zabawki', 4, 45302)");
        TestSupport::exec({}, "insert into CommissionGroupRecipient (CommissionGroupRecipientId, CommissionGroupId,"
                              " lFirmaRef) values (1, 12, 1)");
        TestSupport::addProduct({}, 100, "Gazeta");
        TestSupport::exec({}, "update towar set CommissionGroupId = 13 where lTowarRef = 100");
    }

    static std::string stored() {
        return TestSupport::rows({}, "select CommissionGroupId from CommissionGroup order by 1");
    }
};

TEST_F(CommissionGroupWindow, AGroupGoesOnlyWhenConfirmedAndNoRecipientOrProductIsTiedToIt) {
    CommissionGroupBrowser window(TSessionHolder::open());
    std::string first;
    for (const auto& column : CommissionGroupBrowser::columns()) first += window.cell(0, column.key) + "|";
    EXPECT_EQ(first, "10|Chemia|2.50|2024-01-01|");

    dialogs_->answers = {true};
    EXPECT_EQ(window.remove(1), Removal::HasRecipients);
    EXPECT_EQ(dialogs_->transcript(), "question: Czy na pewno chcesz usunąć grupę 'Kosmetyki'?\nwarning: Istnieją "
                                      "odbiorcy powiązani z grupą prowizyjną!\n\nUsunięcie nie powiodło się.\n");
    EXPECT_FALSE(window.isModified());

    dialogs_->answers = {false, true};
    EXPECT_EQ(window.remove(0), Removal::Declined);
    EXPECT_EQ(window.remove(0), Removal::Removed);
    EXPECT_EQ(window.groups().at(0)->name, "Kosmetyki");
    EXPECT_EQ(stored(), "11\n12\n13\n14\n") << "nothing deleted before the save";
    window.save();
    EXPECT_EQ(stored(), "12\n13\n14\n");
    EXPECT_FALSE(window.isModified());

    // A group a product names is kept, and with it every other removal of the save.
    dialogs_->answers = {true, true};
    EXPECT_EQ(window.remove(2), Removal::Removed);  // Zabawki
    EXPECT_EQ(window.remove(1), Removal::Removed);  // Prasa, named by the product
    EXPECT_EQ(TestSupport::toldUser([&] { window.save(); }),
              "Grupy prowizyjnej nie można usunąć: przypisano ją towarom. Nic nie zapisano.");
    EXPECT_EQ(stored(), "12\n13\n14\n");
    EXPECT_TRUE(window.isModified()) << "the window keeps its removals";
}

}  // namespace
