-- The product table (products and the groups of the hierarchy), the product
-- codes, Oracle's one-row table dual and the id generator of new rows.
--
-- Texts compare byte by byte, as on SQLite: every text column is collate "C",
-- so orders, ranges and the indexes on them are the same whatever the
-- database's own collation (a range the statements write with collate "C"
-- seeks only an index of that collation). Ids and codes are bigint, so that an
-- id past an int reaches the store's own refusal (migration 8) instead of the
-- server's overflow message.
do $$
begin
    if current_setting('server_encoding') <> 'UTF8' then
        raise exception 'Baza danych sklepu na serwerze PostgreSQL musi mieć kodowanie UTF8 (ma %); załóż ją poleceniem create database ... encoding ''UTF8'' template template0.',
            current_setting('server_encoding');
    end if;
end $$;

create table towar (
    lTowarRef bigint primary key,
    sNazwa text collate "C",
    sKrNazwa text collate "C",
    sGrIndex text collate "C",
    sArtIndex text collate "C",
    sSWW text collate "C",
    byVAT bigint,
    byCode bigint,
    byTyp bigint,
    dPrzelicznikSprz2Base double precision,
    bWagowy bigint,
    nZapasDniMin bigint,
    lGlownyDostawcaRef bigint,
    sPlikFoto text collate "C",
    lUzytkRef bigint,
    czasMod double precision,
    lOpakRef bigint,
    dSztukWOpak double precision,
    nMarza double precision,
    nOkresUsred bigint,
    nIloscPierwZam double precision,
    nStatusTow bigint,
    dataOstSprzed double precision,
    dataOstDost double precision,
    dataOstInwent double precision,
    nWagaPLU bigint,
    nWagaSekcja bigint,
    dTempoSprz double precision,
    bySendWiecz bigint,
    bySendNat bigint,
    byElEtyk bigint,
    sSposobZamArg text collate "C",
    nZapasDni bigint,
    dCenaSprzed double precision,
    lOdchyl bigint,
    nJmBase bigint,
    nJmSprz bigint,
    nZapasDniOpt bigint,
    nSposobZam bigint,
    dZapasJmMax double precision,
    nStatusAktywnosci bigint,
    nCadencierNr bigint,
    byRabatowy bigint,
    byEtykWydrukowane bigint,
    sPKWiU text collate "C",
    nOkresPrzydatnosci bigint,
    lKlasaRef bigint,
    bAtrWart bigint,
    bAtrMask bigint,
    nSzerokosc bigint,
    nWysokosc bigint,
    nGlebokosc bigint,
    dObjetosc double precision,
    nJmPrzelicznik bigint,
    dPrzelicznik double precision,
    bEtykieta bigint,
    czasUtworzenia double precision,
    nTypEtykiety bigint,
    sISBN text collate "C",
    nLiczbaEtykiet bigint,
    sInfo text collate "C",
    bWieleWydan bigint,
    bWieleCen bigint,
    bCenaOtwarta bigint,
    bMetka bigint,
    nTypMetki bigint,
    bWTrakcieUsuwania bigint,
    lPoziomNarzutuRef bigint,
    lPictureRef bigint,
    byWeightType bigint,
    nPurchaseAgeLimit bigint,
    nSaleAgeLimit bigint,
    bIncreasedRisk bigint,
    bSelfServiceNotAllowed bigint,
    nWeightTolerance double precision,
    nSecurityWeight double precision,
    nOkresPrzydatnosciMag bigint,
    AlternativeVatRate bigint,
    DutyFreeZoneRestrictions bigint,
    DutyFreeZoneVatRatesHandling bigint,
    CommissionGroupId bigint,
    FinancialTransactionTypeId bigint,
    OrderingMandatory bigint,
    MultiPriceElementSaleLocked bigint,
    BrandId bigint,
    VatSplittableProductId bigint,
    VatSplittableValuePercentage double precision,
    OnSiteVatRateId bigint,
    LocalOrderingDisallowed bigint,
    ProductCategory bigint,
    MaximalOrderQuantity double precision,
    excluded_from_set_compensation bigint,
    locally_sale_blocked bigint,
    successor_id bigint,
    min_stock_in_sale_unit double precision,
    complement_to_min_sale_u_stock double precision,
    Alternative_Prices_Allowed bigint,
    -- the day of the product's current stock row
    dLastSTNDate double precision
);

-- Group-level queries compare prefixes of the group index; the evening jobs
-- scan products by article index and by activity status.
create index towar_sGrIndex on towar (sGrIndex);
create index towar_sArtIndex on towar (sArtIndex);
create index towar_nStatusAktywnosci on towar (nStatusAktywnosci);

-- Codes are never deleted: a deleted code keeps its row with status 3.
create table plu (
    lPluRef bigint primary key,
    sPLU text collate "C" not null,
    lTowarRef bigint not null references towar (lTowarRef),
    nJm bigint,
    byStatus bigint,
    dataOstSprzed double precision,
    byBlokada bigint,
    byHardTrStat bigint
);

create index plu_sPLU on plu (sPLU);
create index plu_lTowarRef on plu (lTowarRef);
create index plu_byStatus on plu (byStatus);

-- A trigger that refuses the change with the message it is given: the store's
-- rules that a key or a check cannot state.
create function refuse_row() returns trigger language plpgsql as $$
begin
    raise exception '%', tg_argv[0];
end $$;

create table dual (dummy text collate "C" primary key check (dummy = 'X'));
insert into dual (dummy) values ('X');
create trigger dual_keeps_its_row before delete on dual
    for each row execute function refuse_row('tabela dual ma zawsze jeden wiersz');

-- The store's id generator: a sequence, so that workstations taking ids never
-- wait for each other (newref, migration 8).
create sequence refgenerator as bigint;
