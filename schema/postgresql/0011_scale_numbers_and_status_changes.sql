-- Scale numbers, planned activity-status changes and stock.
--
-- A product's scale number (nWagaPLU) within its scale section (nWagaSekcja):
-- the free-number function and the validation of a typed number look numbers
-- up by section.
create index towar_scale_number on towar (nWagaSekcja, nWagaPLU);

-- The activity statuses a product may have (towar.nStatusAktywnosci) and
-- their names. A chain replaces the sample rows with its own.
create table statusaktywnosci (
    nStatusAktywnosci bigint primary key,
    sNazwa text collate "C" not null
);
insert into statusaktywnosci (nStatusAktywnosci, sNazwa) values
    (1, 'Aktywny'), (2, 'Nowy'), (3, 'Zablokowany do zamówień'), (4, 'Wycofywany'), (5, 'Wycofany'),
    (6, 'Sezonowy'), (7, 'Czasowo niedostępny'), (8, 'Wycofywany po sezonie');

-- Planned status changes: one row per product and day (changedate, a day
-- number); applied is 1 once the evening run applied the change (0 or NULL
-- before); czasMod the time of the row's last change.
create table StatusChange (
    statuschangeid bigint primary key,
    productid bigint not null references towar (lTowarRef),
    status bigint not null,
    changedate double precision not null,
    applied bigint,
    czasMod double precision not null,
    unique (productid, changedate)
);
create index StatusChange_changedate on StatusChange (changedate);

-- Stock: a product's quantity (dStan) on each stock day (data, a day number);
-- its current row is the one dated towar.dLastSTNDate.
create table stn (
    lTowarRef bigint not null references towar (lTowarRef),
    data double precision not null,
    dStan double precision,
    primary key (lTowarRef, data)
);
