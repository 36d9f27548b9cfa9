-- The store's VAT rates and measure units, the lists the host reads at start.
-- towary init fills them; a chain's own lists replace those rows.

-- A VAT code as products store it (towar.byVAT), the name users see, the rate
-- as a fraction (0.23), whether products may no longer be given it, and the
-- letter under which the cash registers know it.
create table stawkavat (
    byVAT bigint primary key,
    sNazwa text collate "C" not null unique,
    dStawka double precision not null check (dStawka >= 0 and dStawka < 1),
    bWykluczonaDlaTowarow bigint not null check (bWykluczonaDlaTowarow in (0, 1)),
    sKodFiskalny text collate "C" not null check (length(sKodFiskalny) = 1 and sKodFiskalny between 'A' and 'Z')
);

-- A measure unit's code as products and codes store it (towar.nJmSprz, plu.nJm),
-- its abbreviation for labels and receipts, and its full name.
create table jednostkamiary (
    nJm bigint primary key,
    sSkrot text collate "C" not null unique,
    sNazwa text collate "C" not null
);
