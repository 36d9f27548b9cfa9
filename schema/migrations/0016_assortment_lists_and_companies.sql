-- Assortment lists: a named list of products valid from day dataOd to day
-- dataDo (day numbers, both included); headquarters send each with its GUID.
create table Asort (
    lAsortRef integer primary key,
    guid text not null,
    sNazwa text,
    dataOd integer not null,
    dataDo integer not null check (dataDo >= dataOd)
);
create table AsortPos (
    lAsortPosRef integer primary key,
    lAsortRef integer not null references Asort (lAsortRef),
    lTowarRef integer not null references towar (lTowarRef),
    unique (lAsortRef, lTowarRef)
);
create index AsortPos_lTowarRef on AsortPos (lTowarRef);

-- Companies (suppliers and customers) and their named attributes, each a
-- text; a company holds an attribute of a name at most once. The module reads
-- a company's id as an int.
create table firma (
    lFirmaRef integer primary key check (lFirmaRef between 1 and 2147483647),
    sNazwa text not null
);
create table firmaatrybut (
    lFirmaAtrybutRef integer primary key,
    lFirmaRef integer not null references firma (lFirmaRef),
    sNazwa text not null,
    sWartosc text,
    unique (lFirmaRef, sNazwa)
);
