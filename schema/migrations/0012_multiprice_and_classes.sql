-- Product classes keep the attribute word of the class (bit n-1 for attribute n).
alter table klasa add column bAtrWart integer;

-- Promotions: a sale condition of a promotion names it; headquarters
-- promotions carry the GUID they were sent with, local ones bLokalna 1.
create table promocja (
    lPromocjaRef integer primary key,
    sNazwa text,
    sGuid text,
    bLokalna integer not null default 0
);

-- Sale conditions: a product's sale price from day dataOd to day dataDo
-- (day numbers, both included), of a promotion or not, with the alternative
-- prices a cash register may offer (XML). A multi-price ware sells through
-- its elements, one sale price each.
create table warsprz (
    lWarSprzRef integer primary key,
    lTowarRef integer not null references towar (lTowarRef),
    dataOd integer not null,
    dataDo integer not null check (dataDo >= dataOd),
    dCenaSprzed real not null check (dCenaSprzed > 0),
    alternative_prices text,
    lPromoRef integer references promocja (lPromocjaRef),
    byDeleted integer,
    byBlokada integer,
    bLokalny integer not null default 1,
    lUzytkRef integer,
    czasMod real
);
create index warsprz_lTowarRef on warsprz (lTowarRef);

-- Stocktakings: a description (InwOpis) and the products it counts (InwPoz),
-- each product once; a multi-price ware is counted by its grouping row.
create table InwOpis (
    lInwOpisRef integer primary key,
    sNazwa text,
    dataInw integer,
    lUzytkRef integer
);
create table InwPoz (
    lInwPozRef integer primary key,
    lInwOpisRef integer not null references InwOpis (lInwOpisRef),
    lTowarRef integer not null references towar (lTowarRef),
    lUzytkRef integer,
    czasMod real,
    unique (lInwOpisRef, lTowarRef)
);
