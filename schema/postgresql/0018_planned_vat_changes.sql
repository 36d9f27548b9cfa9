-- Planned VAT rate changes and the store's persistent properties.
--
-- A planned change of a product's VAT code: the product, the day it takes
-- effect (ddata, a day number), the target code (byvat, a code of stawkavat),
-- bapplied 1 once carried out (0 or NULL while pending) and the time of the
-- row's last change. The changes of a day are found by day and, per product,
-- the latest up to it.
create table zmianavat (
    lzmianavatref bigint primary key,
    ltowarref bigint not null references towar (lTowarRef),
    ddata double precision not null,
    byvat bigint not null,
    bapplied bigint,
    dczasmod double precision
);
create index zmianavat_ltowarref_ddata on zmianavat (ltowarref, ddata);
create index zmianavat_ddata on zmianavat (ddata);

-- Named texts a module keeps once per database (Core::PropertiesSession).
create table Properties (
    sKey text collate "C" primary key,
    sValue text collate "C"
);
