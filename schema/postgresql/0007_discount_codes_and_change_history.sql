-- Special-price codes: the labels to print for each (SpecCenDruk), the special
-- price of each (PluDiscount, one per code, as the code carries its price),
-- and the store's change history (HistoriaZmian), which records who set them.
create table SpecCenDruk (
    lSpecCenDrukRef bigint primary key,
    lPluRef bigint not null unique references plu (lPluRef),
    lIlosc bigint not null check (lIlosc >= 0),
    lUzytkRef bigint not null
);

create table PluDiscount (
    lPluDiscountRef bigint primary key,
    lPluRef bigint not null unique references plu (lPluRef),
    lTowarRef bigint not null references towar (lTowarRef),
    dCena double precision not null check (dCena > 0),
    lUzytkRef bigint not null,
    czasMod double precision not null
);
create index PluDiscount_lTowarRef on PluDiscount (lTowarRef);

create table HistoriaZmian (
    lHistoriaZmianRef bigint primary key,
    sSekcja text collate "C" not null,
    sRodzajObiektu text collate "C" not null,
    sKlucz text collate "C" not null,
    nTypOperacji bigint not null,
    lObiektRef bigint,
    lTowarRef bigint,
    sOpis text collate "C",
    lUzytkRef bigint not null,
    czasZmiany double precision not null
);
create index HistoriaZmian_lTowarRef on HistoriaZmian (lTowarRef);
