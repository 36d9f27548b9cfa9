-- The store's users and user groups, and their rights over product groups
-- (uzytkgrouprights): one row per owner and group index, seven rights coded
-- 1 (not granted, not inherited), 2 (granted, not inherited), 3 (not granted,
-- inherited), 4 (granted, inherited); the module reads any other code, NULL
-- included, as not granted and inherited. An owner is a user (luzytkref, the row
-- managed by the user himself: rekordemzarzadza 2) or a user group
-- (lgrupyuzytkref, rekordemzarzadza 1). The procedures of package
-- UPRAWNIENIADOGRUPTOWAROW write them (schema/routines/GroupRights.cpp).
create table grupauzytkownikow (
    lgrupyuzytkref bigint primary key check (lgrupyuzytkref between 1 and 2147483647),
    snazwa text collate "C" not null
);

create table uzytkownik (
    luzytkref bigint primary key check (luzytkref between 1 and 2147483647),
    snazwa text collate "C" not null,
    lgrupyuzytkref bigint references grupauzytkownikow (lgrupyuzytkref)
);
insert into uzytkownik (luzytkref, snazwa) values (1, 'Administrator');

create table uzytkgrouprights (
    luzytkref bigint references uzytkownik (luzytkref),
    lgrupyuzytkref bigint references grupauzytkownikow (lgrupyuzytkref),
    sgrindex text collate "C" not null check (length(sgrindex) > 0),
    przegladaniegrupy bigint,
    dodawanietowaru bigint,
    dodawaniegrupy bigint,
    modyfikacjatowaru bigint,
    modyfikacjagrupy bigint,
    usuwanietowaru bigint,
    usuwaniegrupy bigint,
    rekordemzarzadza bigint not null check (rekordemzarzadza in (1, 2)),
    check ((luzytkref is null) <> (lgrupyuzytkref is null)),
    check ((luzytkref is not null) = (rekordemzarzadza = 2))
);
create unique index uzytkgrouprights_user on uzytkgrouprights (luzytkref, sgrindex) where luzytkref is not null;
create unique index uzytkgrouprights_group on uzytkgrouprights (lgrupyuzytkref, sgrindex)
    where lgrupyuzytkref is not null;
