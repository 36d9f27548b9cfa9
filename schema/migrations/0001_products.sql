-- The product table (products and the groups of the hierarchy), the product
-- codes, Oracle's one-row table dual and the id generator of new rows.

create table towar (
    lTowarRef integer primary key,
    sNazwa text,
    sKrNazwa text,
    sGrIndex text,
    sArtIndex text,
    sSWW text,
    byVAT integer,
    byCode integer,
    byTyp integer,
    dPrzelicznikSprz2Base real,
    bWagowy integer,
    nZapasDniMin integer,
    lGlownyDostawcaRef integer,
    sPlikFoto text,
    lUzytkRef integer,
    czasMod real,
    lOpakRef integer,
    dSztukWOpak real,
    nMarza real,
    nOkresUsred integer,
    nIloscPierwZam real,
    nStatusTow integer,
    dataOstSprzed real,
    dataOstDost real,
    dataOstInwent real,
    nWagaPLU integer,
    nWagaSekcja integer,
    dTempoSprz real,
    bySendWiecz integer,
    bySendNat integer,
    byElEtyk integer,
    sSposobZamArg text,
    nZapasDni integer,
    dCenaSprzed real,
    lOdchyl integer,
    nJmBase integer,
    nJmSprz integer,
    nZapasDniOpt integer,
    nSposobZam integer,
    dZapasJmMax real,
    nStatusAktywnosci integer,
    nCadencierNr integer,
    byRabatowy integer,
    byEtykWydrukowane integer,
    sPKWiU text,
    nOkresPrzydatnosci integer,
    lKlasaRef integer,
    bAtrWart integer,
    bAtrMask integer,
    nSzerokosc integer,
    nWysokosc integer,
    nGlebokosc integer,
    dObjetosc real,
    nJmPrzelicznik integer,
    dPrzelicznik real,
    bEtykieta integer,
    czasUtworzenia real,
    nTypEtykiety integer,
    sISBN text,
    nLiczbaEtykiet integer,
    sInfo text,
    bWieleWydan integer,
    bWieleCen integer,
    bCenaOtwarta integer,
    bMetka integer,
    nTypMetki integer,
    bWTrakcieUsuwania integer,
    lPoziomNarzutuRef integer,
    lPictureRef integer,
    byWeightType integer,
    nPurchaseAgeLimit integer,
    nSaleAgeLimit integer,
    bIncreasedRisk integer,
    bSelfServiceNotAllowed integer,
    nWeightTolerance real,
    nSecurityWeight real,
    nOkresPrzydatnosciMag integer,
    AlternativeVatRate integer,
    DutyFreeZoneRestrictions integer,
    DutyFreeZoneVatRatesHandling integer,
    CommissionGroupId integer,
    FinancialTransactionTypeId integer,
    OrderingMandatory integer,
    MultiPriceElementSaleLocked integer,
    BrandId integer,
    VatSplittableProductId integer,
    VatSplittableValuePercentage real,
    OnSiteVatRateId integer,
    LocalOrderingDisallowed integer,
    ProductCategory integer,
    MaximalOrderQuantity real,
    excluded_from_set_compensation integer,
    locally_sale_blocked integer,
    successor_id integer,
    min_stock_in_sale_unit real,
    complement_to_min_sale_u_stock real,
    Alternative_Prices_Allowed integer,
    -- the day of the product's current stock row
    dLastSTNDate real
);

-- Group-level queries compare prefixes of the group index; the evening jobs
-- scan products by article index and by activity status.
create index towar_sGrIndex on towar (sGrIndex);
create index towar_sArtIndex on towar (sArtIndex);
create index towar_nStatusAktywnosci on towar (nStatusAktywnosci);

-- Codes are never deleted: a deleted code keeps its row with status 3.
create table plu (
    lPluRef integer primary key,
    sPLU text not null,
    lTowarRef integer not null references towar (lTowarRef),
    nJm integer,
    byStatus integer,
    dataOstSprzed real,
    byBlokada integer,
    byHardTrStat integer
);

create index plu_sPLU on plu (sPLU);
create index plu_lTowarRef on plu (lTowarRef);
create index plu_byStatus on plu (byStatus);

create table dual (dummy text primary key check (dummy = 'X'));
insert into dual (dummy) values ('X');
create trigger dual_keeps_its_row before delete on dual
begin
    select raise(abort, 'tabela dual ma zawsze jeden wiersz');
end;

-- The last id handed out by the store's id generator.
create table RefGenerator (
    id integer primary key check (id = 1),
    lastRef integer not null
);
insert into RefGenerator (id, lastRef) values (1, 0);
