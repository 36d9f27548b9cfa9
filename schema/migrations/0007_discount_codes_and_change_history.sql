-- Special-price codes: the labels to print for each (SpecCenDruk), the special
-- price of each (PluDiscount, one per code, as the code carries its price),
-- and the store's change history (HistoriaZmian), which records who set them.
create table SpecCenDruk (
    lSpecCenDrukRef integer primary key,
    lPluRef integer not null unique references plu (lPluRef),
    lIlosc integer not null check (lIlosc >= 0),
    lUzytkRef integer not null
);

create table PluDiscount (
    lPluDiscountRef integer primary key,
    lPluRef integer not null unique references plu (lPluRef),
    lTowarRef integer not null references towar (lTowarRef),
    dCena real not null check (dCena > 0),
    lUzytkRef integer not null,
    czasMod real not null
);
create index PluDiscount_lTowarRef on PluDiscount (lTowarRef);

create table HistoriaZmian (
    lHistoriaZmianRef integer primary key,
    sSekcja text not null,
    sRodzajObiektu text not null,
    sKlucz text not null,
    nTypOperacji integer not null,
    lObiektRef integer,
    lTowarRef integer,
    sOpis text,
    lUzytkRef integer not null,
    czasZmiany real not null
);
create index HistoriaZmian_lTowarRef on HistoriaZmian (lTowarRef);
