-- The store's payment forms, the list the host reads at start. towary init
-- fills it; a chain's own list replaces those rows.

-- A form's id as documents store it (lPlatnoscRef), the name users see, the
-- short name printed on receipts, whether a receipt can be paid with it
-- (a final form) rather than it only grouping others, and whether it is cash
-- in the native currency (one form is).
create table formaplatnosci (
    lPlatnoscRef bigint primary key,
    sNazwa text collate "C" not null unique,
    sSkrot text collate "C" not null,
    bKoncowa bigint not null check (bKoncowa in (0, 1)),
    bKrajowa bigint not null default 0 check (bKrajowa in (0, 1))
);
create unique index formaplatnosci_krajowa on formaplatnosci (bKrajowa) where bKrajowa = 1;
