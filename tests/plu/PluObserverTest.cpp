#include "Core/Db/TQueryDataSet.h"
#include "Modules/Towary/Tools/plu/BookmarkGuard.h"
#include "Modules/Towary/Tools/plu/TPluObserver.h"
#include "tests/plu/PluStore.h"
#include "tests/support/Failure.h"

namespace {

using TestSupport::failure;

TEST_F(PluStore, TheObserverSeesTheOneLiveCodeReplacedWhileTheFormWasOpenAndThePositionGuardAMissingOrStaleMark) {
    // A product form's dataset of the product's code rows, as the form opens it.
    addProduct(1, "Ser", "000001");
    Db::TQueryDataSet dataset{session_, "select sPLU, byStatus from plu where lTowarRef = 1 order by lPluRef"};
    dataset.Open();
    const auto current = [&dataset] { return dataset.FieldByName("splu").asString(); };
    TPluObserver observer;
    // Whether the dataset holds one live code, and whether that is another one than the stored.
    const auto seen = [&] { return std::pair<bool, bool>{observer.isJedenKod(&dataset), observer.isChanged(&dataset)}; };
    EXPECT_EQ(seen(), std::pair(false, false)) << "no codes";

    addCode(11, "1001", 1, 3);
    addCode(12, "1002", 1, 1);
    dataset.Refresh();
    dataset.Next();
    observer.store(&dataset);
    EXPECT_EQ(seen(), std::pair(true, false));
    EXPECT_EQ(current(), "1002") << "every walk returns to the current record";

    addCode(13, "1003", 1, 4);
    addCode(14, "1004", 1, 1);
    dataset.Refresh();
    EXPECT_EQ(seen(), std::pair(false, false)) << "two live codes";

    exec(session_, "update plu set byStatus = 3 where lPluRef = 12");
    dataset.Refresh();
    EXPECT_TRUE(observer.isChanged(&dataset)) << "the only live code was deleted and a new one added";
    EXPECT_EQ(current(), "1001");

    dataset.First();
    EXPECT_TRUE(TPluObserver::findNastepnyNieusuniety(&dataset));
    EXPECT_EQ(current(), "1004");
    dataset.Next();
    EXPECT_FALSE(TPluObserver::findNastepnyNieusuniety(&dataset));

    // The position guard, on codes of its own, refuses a missing or stale mark.
    exec(session_, "delete from plu");
    addCode(21, "2001", 1, 1);
    addCode(22, "2002", 1, 1);
    dataset.Refresh();
    dataset.Next();
    {
        PLU::BookmarkGuard position(dataset);
        EXPECT_EQ(failure([&] { position.restore(); }), "Bookmark hasn't been stored.");
        position.store();
        dataset.First();
        position.restore();
        EXPECT_EQ(current(), "2002");
        dataset.First();
    }
    EXPECT_EQ(current(), "2001") << "a restored guard leaves the dataset where it is";
    {
        PLU::BookmarkGuard position(dataset);
        position.store();
        dataset.Next();
    }
    EXPECT_EQ(current(), "2001") << "a guard left early returns by itself";

    PLU::BookmarkGuard position(dataset);
    dataset.Next();
    position.store();
    dataset.Refresh();
    EXPECT_EQ(failure([&] { position.restore(); }), "Bookmark isn't valid");
}

}  // namespace
