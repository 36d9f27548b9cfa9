-- What the stock, reservation and complaint quantities read, and the
-- discount reasons' dictionary.
--
-- Documents: nTyp the kind (the host's document module gives the numbers
-- meaning), nStatusPrzetw the processing status, nStatusKsieg the booking
-- status, lPomocRef the document this one was derived from.
create table Dok (
    lDokRef bigint primary key,
    nTyp bigint not null,
    nStatusPrzetw bigint,
    nStatusKsieg bigint,
    lPomocRef bigint references Dok (lDokRef)
);
-- A reservation asks for the documents derived from a document, by kind.
create index Dok_lPomocRef on Dok (lPomocRef, nTyp);

-- A document's positions: a quantity of one product.
create table DokPoz (
    lDokPozRef bigint primary key,
    lDokRef bigint not null references Dok (lDokRef),
    lTowarRef bigint not null references towar (lTowarRef),
    dIlosc double precision
);
-- A product's reservation starts from its positions; the derived-document
-- check goes from a document to its positions of one product.
create index DokPoz_lTowarRef on DokPoz (lTowarRef, lDokRef);
create index DokPoz_lDokRef on DokPoz (lDokRef, lTowarRef);

-- Receipt positions; lDokPozRef the document position a receipt sold.
create table ParagPoz (
    lParagPozRef bigint primary key,
    lDokPozRef bigint references DokPoz (lDokPozRef)
);
create index ParagPoz_lDokPozRef on ParagPoz (lDokPozRef);

-- Complaints: one row per unit; nWlasnosc 1 the store's own, nMiejscePobytu 1
-- in the store.
create table Reklamacja (
    lReklamacjaRef bigint primary key,
    lTowarRef bigint not null references towar (lTowarRef),
    nWlasnosc bigint,
    nMiejscePobytu bigint
);
create index Reklamacja_lTowarRef on Reklamacja (lTowarRef);

-- The reasons a discount may be given for; the module reads the ids as int.
create table DiscountReasonDict (
    lDiscountReasonDictRef bigint primary key,
    sValue text collate "C" not null
);
create trigger DiscountReasonDict_id_fits before insert on DiscountReasonDict
    for each row when (new.lDiscountReasonDictRef > 2147483647 or new.lDiscountReasonDictRef < 1)
    execute function refuse_row('Identyfikator powodu rabatu (lDiscountReasonDictRef) musi mieścić się w zakresie od 1 do 2147483647.');
create trigger DiscountReasonDict_id_stays before update of lDiscountReasonDictRef on DiscountReasonDict
    for each row when (new.lDiscountReasonDictRef > 2147483647 or new.lDiscountReasonDictRef < 1)
    execute function refuse_row('Identyfikator powodu rabatu (lDiscountReasonDictRef) musi mieścić się w zakresie od 1 do 2147483647.');
