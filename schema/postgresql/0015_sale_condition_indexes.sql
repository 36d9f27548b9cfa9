-- The price before a promotion and the lowest price of 30 days start from the
-- promotional conditions valid on a day: a partial index holds only those, by
-- their last day, so the day's promotions are a range of it. The earlier
-- conditions of a product are then found by product and last day.
create index warsprz_promotion_dataDo on warsprz (dataDo, dataOd) where lPromoRef is not null;
create index warsprz_lTowarRef_dataDo on warsprz (lTowarRef, dataDo);
