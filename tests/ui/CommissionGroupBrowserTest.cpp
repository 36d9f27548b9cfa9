#include "Core/Entity/EntityCollection.h"
#include "Modules/Towary/Tools/ui/CommissionGroupBrowser.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreRows.h"
#include "tests/ui/DictionaryStore.h"

#include <vector>

namespace {

using namespace Towary::ProductTools;
using Removal = CommissionGroupBrowser::Removal;
using TestSupport::failure;

class CommissionGroupWindow : public DictionaryStore {
protected:
    CommissionGroupWindow() {
        // Chemia is free to go; Kosmetyki has a recipient; Prasa is named by a product.
        run("insert into firma (lFirmaRef, sNazwa) values (1, 'Hurtownia Północ')");
        run("insert into CommissionGroup (CommissionGroupId, CommissionNumber, Name, CommissionValue, DateFrom) values"
            " (11, 10, 'Chemia', 2.5, 45292), (12, 20, 'Kosmetyki', 3, 45300), (13, 30, 'Prasa', 1.25, 45301),"
            " (14, 40, 'Zabawki', 4, 45302)");
        run("insert into CommissionGroupRecipient (CommissionGroupRecipientId, CommissionGroupId, lFirmaRef)"
            " values (1, 12, 1)");
        TestSupport::addProduct(TSessionHolder(), 100, "Gazeta");
        run("update towar set CommissionGroupId = 13 where lTowarRef = 100");
    }

    static std::string stored() {
        return value("select group_concat(CommissionGroupId, ',') from"
                     " (select CommissionGroupId from CommissionGroup order by CommissionGroupId)");
    }
};

TEST_F(CommissionGroupWindow, TheGridShowsNumberNameValueAndStartDay) {
    CommissionGroupBrowser window(TSessionHolder::open());
    ASSERT_EQ(window.groups().size(), 4u);
    std::string first;
    for (const auto& column : CommissionGroupBrowser::columns()) first += window.cell(0, column.key) + "|";
    EXPECT_EQ(first, "10|Chemia|2.50|2024-01-01|");
    EXPECT_FALSE(window.isModified());
}

TEST_F(CommissionGroupWindow, AGroupGoesOnlyWhenConfirmedAndNoRecipientIsTiedToIt) {
    CommissionGroupBrowser window(TSessionHolder::open());
    dialogs_->answers = {true};
    EXPECT_EQ(window.remove(1), Removal::HasRecipients);
    ASSERT_EQ(dialogs_->shown.size(), 2u);
    EXPECT_EQ(dialogs_->shown[0].text, "Czy na pewno chcesz usunąć grupę 'Kosmetyki'?");
    EXPECT_EQ(dialogs_->shown[1].kind, "warning");
    EXPECT_EQ(dialogs_->shown[1].text, "Istnieją odbiorcy powiązani z grupą prowizyjną!\n\nUsunięcie nie powiodło się.");
    EXPECT_EQ(window.groups().size(), 4u);
    EXPECT_FALSE(window.isModified());

    dialogs_->answers = {false, true};
    EXPECT_EQ(window.remove(0), Removal::Declined);
    EXPECT_EQ(window.groups().size(), 4u);
    EXPECT_EQ(window.remove(0), Removal::Removed);
    EXPECT_EQ(window.groups().size(), 3u);
    EXPECT_EQ(window.groups().at(0)->name, "Kosmetyki");
    EXPECT_TRUE(window.isModified());
    EXPECT_EQ(stored(), "11,12,13,14") << "nothing deleted before the save";
    window.save();
    EXPECT_EQ(stored(), "12,13,14");
    EXPECT_FALSE(window.isModified());
}

TEST_F(CommissionGroupWindow, AGroupProductsNameIsKeptAndTheSaveDeletesAllOrNothing) {
    CommissionGroupBrowser window(TSessionHolder::open());
    dialogs_->answers = {true, true};
    EXPECT_EQ(window.remove(3), Removal::Removed);  // Zabawki
    EXPECT_EQ(window.remove(2), Removal::Removed);  // Prasa, named by the product
    EXPECT_EQ(TestSupport::toldUser([&] { window.save(); }),
              "Grupy prowizyjnej nie można usunąć: przypisano ją towarom. Nic nie zapisano.");
    EXPECT_EQ(stored(), "11,12,13,14");
    EXPECT_TRUE(window.isModified()) << "the window keeps its removals";
}

TEST(EntityCollection, RemovingAnElementTwiceIsALogicError) {
    Core::Entity::EntityCollection<int> numbers;
    const auto one = std::make_shared<int>(1);
    numbers.add(one);
    numbers.add(std::make_shared<int>(2));
    numbers.remove(one);
    EXPECT_EQ(numbers.size(), 1u);
    EXPECT_EQ(numbers.removed(), std::vector<std::shared_ptr<int>>{one});
    EXPECT_EQ(failure<std::logic_error>([&] { numbers.remove(one); }), "Trying to remove an already removed element.");
    EXPECT_EQ(failure<std::logic_error>([&] { numbers.remove(std::make_shared<int>(1)); }),
              "Trying to remove an element the collection does not hold.");
    EXPECT_EQ(numbers.removed().size(), 1u);
}

}  // namespace
