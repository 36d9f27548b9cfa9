-- Product classes keep the attribute word of the class (bit n-1 for attribute n).
alter table klasa add column bAtrWart bigint;

-- Promotions: a sale condition of a promotion names it; headquarters
-- promotions carry the GUID they were sent with, local ones bLokalna 1.
create table promocja (
    lPromocjaRef bigint primary key,
    sNazwa text collate "C",
    sGuid text collate "C",
    bLokalna bigint not null default 0
);

-- Sale conditions: a product's sale price from day dataOd to day dataDo
-- (day numbers, both included), of a promotion or not, with the alternative
-- prices a cash register may offer (XML). A multi-price ware sells through
-- its elements, one sale price each.
create table warsprz (
    lWarSprzRef bigint primary key,
    lTowarRef bigint not null references towar (lTowarRef),
    dataOd double precision not null,
    dataDo double precision not null check (dataDo >= dataOd),
    dCenaSprzed double precision not null check (dCenaSprzed > 0),
    alternative_prices text collate "C",
    lPromoRef bigint references promocja (lPromocjaRef),
    byDeleted bigint,
    byBlokada bigint,
    bLokalny bigint not null default 1,
    lUzytkRef bigint,
    czasMod double precision
);
create index warsprz_lTowarRef on warsprz (lTowarRef);

-- Stocktakings: a description (InwOpis) and the products it counts (InwPoz),
-- each product once; a multi-price ware is counted by its grouping row.
create table InwOpis (
    lInwOpisRef bigint primary key,
    sNazwa text collate "C",
    dataInw double precision,
    lUzytkRef bigint
);
create table InwPoz (
    lInwPozRef bigint primary key,
    lInwOpisRef bigint not null references InwOpis (lInwOpisRef),
    lTowarRef bigint not null references towar (lTowarRef),
    lUzytkRef bigint,
    czasMod double precision,
    unique (lInwOpisRef, lTowarRef)
);
