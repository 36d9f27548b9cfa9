-- The product classes (towar.lKlasaRef): the multi-price logic reads a
-- product's class name with its other attributes.
create table klasa (
    lKlasaRef bigint primary key,
    sNazwa text collate "C"
);
