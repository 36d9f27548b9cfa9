#include "Modules/Towary/Tools/products/ProductPluCommand.h"
#include "Modules/Towary/Tools/products/ProductSelectSql.h"
#include "Modules/Towary/Tools/products/ProductUpdateSql.h"
#include "Modules/Towary/Tools/products/WareCommands.h"
#include "tests/products/ProductStore.h"

class ProductCommandsTest : public ProductStore {
protected:
    // Each product as "id:group index:multi-price flag:article index:VAT:type:name", by id.
    std::string products() {
        return column("select group_concat(lTowarRef || ':' || sGrIndex || ':' || bWieleCen || ':' || sArtIndex || ':' || "
                      "byVAT || ':' || byTyp || ':' || sNazwa, ' ') from (select * from towar order by lTowarRef)");
    }
};

TEST_F(ProductCommandsTest, InsertedProductsReadBackUpdatersAndDeleterWriteOneProductOrOneMultiPriceGroupAndSoDoTheEditors) {
    Towar::WareInserter inserter(session_);
    for (int id : {1, 2}) {
        TTowar element = product(id, "Bułka " + std::to_string(id), "010203", "00010" + std::to_string(id));
        element.SetWieleCen(1);
        inserter.execute(element);
    }
    TTowar changed = product(3, "Bułka zwykła", "010203", "000103");
    changed.SetNullSWW();
    inserter.execute(changed);
    // A column the select names apart from its own name.
    TestSupport::exec(session_, "update towar set complement_to_min_sale_u_stock = 2.5 where lTowarRef = 3");
    DBKernel::Sql::OpenedQuery select(Product::getProductSelectSql(3), session_);
    TTowar read;
    read.load(select);
    EXPECT_DOUBLE_EQ(read.GetczasUtworzenia(), 45000.25);
    EXPECT_TRUE(read.IsNullSWW());
    EXPECT_TRUE(read.IsNullCenaSprzed());  // not among the inserted columns
    EXPECT_DOUBLE_EQ(read.GetComplemenToMinSaleUnitStock(), 2.5);

    // Level, type, sending flags, multi-price flag and creation time differ
    // from the stored row: they stand only in predicates that hold for any value.
    changed = product(3, "Bułka pszenna", "0102", "000103");
    changed.SetNullKrNazwa();
    changed.SetCode(3);
    changed.SetTyp(9);
    changed.SetSendWiecz(1);
    changed.SetWieleCen(1);
    changed.SetczasUtworzenia(1.0);
    EXPECT_EQ(Towar::MainWareUpdater(session_).execute(changed), 1);
    EXPECT_EQ(column("select coalesce(sKrNazwa, '-') || '/' || byCode || '/' || byTyp || '/' || bWieleCen from towar "
                     "where lTowarRef = 3"),
              "-/6/1/0");

    TTowar shared = product(1, "inna nazwa", "010203", "999999");
    shared.SetWieleCen(1);
    shared.SetVAT(12);
    shared.SetTyp(4);
    EXPECT_EQ(Towar::GroupWareUpdater(session_).execute(shared), 2);
    EXPECT_EQ(products(), "1:010203:1:000101:12:4:Bułka 1 2:010203:1:000102:12:4:Bułka 2 "
                          "3:0102:0:000103:13:1:Bułka pszenna");

    // The deleter goes by the id whatever the other fields.
    changed.SetTowarRef(1);
    EXPECT_EQ(Towar::WareDeleter(session_).execute(changed), 1);
    EXPECT_EQ(column("select group_concat(lTowarRef) from (select lTowarRef from towar order by lTowarRef)"), "2,3");

    // The editor's statements insert, modify and delete a row.
    const auto statements = Towar::getProductUpdateSql();
    // The editor binds every field by the name the select reads it under.
    auto run = [this](const std::string& sql, const TTowar& record, int oldId) {
        DBKernel::Sql::Command command(sql, session_);
        for (const auto& info : TTowar::columnInfo())
            command.Params[info.readName].set(record.value(static_cast<std::size_t>(&info - TTowar::columnInfo().data())));
        command.Params["alternativeVatRate"].set(record.value(TTowar::AlternativeVatRate));
        command.Params["OLD_lTowarRef"] = oldId;
        return command.execute();
    };
    TTowar edited = product(5, "Sok jabłkowy", "0101", "000005");
    edited.SetComplemenToMinSaleUnitStock(2.5);
    EXPECT_EQ(run(statements->InsertSQL(), edited, 0), 1);
    EXPECT_EQ(column("select complement_to_min_sale_u_stock from towar where lTowarRef = 5"), "2.5");

    // The creation time and the last sale are never modified.
    TestSupport::exec(session_, "update towar set dataOstSprzed = 45100.5 where lTowarRef = 5");
    edited.SetNazwa("Sok pomarańczowy");
    edited.SetAlternativeVatRate(12);
    edited.SetczasUtworzenia(1.0);
    edited.SetdataOstSprzed(1.0);
    EXPECT_EQ(run(statements->ModifySQL(), edited, 5), 1);
    EXPECT_EQ(column("select sNazwa || ':' || AlternativeVatRate || ':' || czasUtworzenia || ':' || dataOstSprzed "
                     "from towar where lTowarRef = 5"),
              "Sok pomarańczowy:12:45000.25:45100.5");
    EXPECT_EQ(run(statements->DeleteSQL(), edited, 5), 1);
    EXPECT_EQ(TestSupport::count(session_, "towar"), 2) << "products 2 and 3 above stay";
}

TEST_F(ProductCommandsTest, GroupingCommandsMoveTurnAndReindexRowsAndCodeCommandsInsertAndChangeOnlyTheMeasureUnit) {
    for (const TTowar& ware : {product(1, "Chleb", "0101", "000001"), product(2, "Chleb razowy", "0101", "000002"),
                               product(3, "Bagietka", "0102", "000003")})
        Towar::WareInserter(session_).execute(ware);

    Towar::RegularWareToMultiPriceTurner turner(session_);
    turner.sGrIndex() = "010101";
    turner.bWieleCen() = 1;
    for (int id : {1, 2}) {
        turner.lTowarRef() = id;
        turner.execute();
    }
    Towar::MultiPriceWareMover mover(session_);
    mover.multiPriceWareGrIndex() = "010101";
    mover.newGrIndex() = "010102";
    EXPECT_EQ(mover.execute(), 2);
    EXPECT_EQ(products(), "1:010102:1:000001:13:1:Chleb 2:010102:1:000002:13:1:Chleb razowy "
                          "3:0102:0:000003:13:1:Bagietka");

    Towar::WareIndexChanger indexChanger(session_);
    indexChanger.lTowarRef() = 3;
    indexChanger.sArtIndex() = "000033";
    indexChanger.execute();
    Towar::MultiPriceWareGroupDeleter groupDeleter(session_);
    groupDeleter.multiPriceWareGrIndex() = "010102";
    groupDeleter.toGrIndex() = "0101";
    groupDeleter.bWieleCen() = 0;
    groupDeleter.byCode() = 6;
    EXPECT_EQ(groupDeleter.execute(), 2);
    EXPECT_EQ(products(), "1:0101:0:000001:13:1:Chleb 2:0101:0:000002:13:1:Chleb razowy 3:0102:0:000033:13:1:Bagietka");

    // Code commands, on product 1, insert and change only the measure unit.
    TPLU changed;
    changed.SetPluRef(10);
    changed.SetPLU("5901234123457");
    changed.SetTowarRef(1);
    changed.SetJm(1);
    changed.SetStatus(1);
    Towar::PluInserter inserter(session_);
    inserter.execute(changed);
    changed.SetPluRef(11);
    changed.SetPLU("2001");
    changed.SetNullJm();
    inserter.execute(changed);

    // The id, status and product stand in predicates only: another code's id
    // and status do not stop the change of the code's unit.
    changed.SetPLU("5901234123457");
    changed.SetJm(2);
    changed.SetStatus(3);
    changed.SetNullTowarRef();
    EXPECT_EQ(Towar::PluUpdater(session_).execute(changed), 1);
    EXPECT_EQ(TestSupport::rows(session_, "select lPluRef, sPLU, nJm, byStatus from plu order by lPluRef"),
              "10|5901234123457|2|1\n11|2001|-|1\n");

    Product::PluCommand full(
        "insert into plu (lPluRef, sPLU, lTowarRef, nJm, dataOstSprzed, byStatus, byBlokada, byHardTrStat) values "
        "(:lpluref, :splu, :ltowarref, :njm, :dataostsprzed, :bystatus, :byblokada, :byhardtrstat)",
        session_);
    TPLU sold = changed;
    sold.SetPluRef(12);
    sold.SetPLU("2002");
    sold.SetTowarRef(1);
    sold.SetdataOstSprzed(45000.5);
    sold.SetBlokada(1);
    full.execute(sold);
    EXPECT_EQ(TestSupport::rows(session_, "select dataOstSprzed, byBlokada, byHardTrStat from plu where lPluRef = 12"),
              "45000.5|1|-\n");
    // A statement that leaves a field out would never write it.
    EXPECT_THROW(Product::PluCommand("update plu set byStatus = :bystatus where lPluRef = :lpluref", session_),
                 std::logic_error);
    // Ids come from the store's pool: a row without one is refused, not numbered by the database.
    sold.SetNullPluRef();
    sold.SetPLU("2003");
    EXPECT_THROW(full.execute(sold), DBKernel::DatabaseError);
    TTowar unnumbered = product(2, "Gruszki", "0101", "000002");
    unnumbered.SetNullTowarRef();
    EXPECT_THROW(Towar::WareInserter(session_).execute(unnumbered), DBKernel::DatabaseError);
}

