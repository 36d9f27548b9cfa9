-- Assortment lists: a named list of products valid from day dataOd to day
-- dataDo (day numbers, both included); headquarters send each with its GUID.
create table Asort (
    lAsortRef bigint primary key,
    guid text collate "C" not null,
    sNazwa text collate "C",
    dataOd double precision not null,
    dataDo double precision not null check (dataDo >= dataOd)
);
create table AsortPos (
    lAsortPosRef bigint primary key,
    lAsortRef bigint not null references Asort (lAsortRef),
    lTowarRef bigint not null references towar (lTowarRef),
    unique (lAsortRef, lTowarRef)
);
create index AsortPos_lTowarRef on AsortPos (lTowarRef);

-- Companies (suppliers and customers) and their named attributes, each a
-- text; a company holds an attribute of a name at most once. The module reads
-- a company's id as an int.
create table firma (
    lFirmaRef bigint primary key check (lFirmaRef between 1 and 2147483647),
    sNazwa text collate "C" not null
);
create table firmaatrybut (
    lFirmaAtrybutRef bigint primary key,
    lFirmaRef bigint not null references firma (lFirmaRef),
    sNazwa text collate "C" not null,
    sWartosc text collate "C",
    unique (lFirmaRef, sNazwa)
);
