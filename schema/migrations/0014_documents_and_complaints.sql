-- What the stock, reservation and complaint quantities read, and the
-- discount reasons' dictionary.
--
-- Documents: nTyp the kind (the host's document module gives the numbers
-- meaning), nStatusPrzetw the processing status, nStatusKsieg the booking
-- status, lPomocRef the document this one was derived from.
create table Dok (
    lDokRef integer primary key,
    nTyp integer not null,
    nStatusPrzetw integer,
    nStatusKsieg integer,
    lPomocRef integer references Dok (lDokRef)
);
-- A reservation asks for the documents derived from a document, by kind.
create index Dok_lPomocRef on Dok (lPomocRef, nTyp);

-- A document's positions: a quantity of one product.
create table DokPoz (
    lDokPozRef integer primary key,
    lDokRef integer not null references Dok (lDokRef),
    lTowarRef integer not null references towar (lTowarRef),
    dIlosc real
);
-- A product's reservation starts from its positions; the derived-document
-- check goes from a document to its positions of one product.
create index DokPoz_lTowarRef on DokPoz (lTowarRef, lDokRef);
create index DokPoz_lDokRef on DokPoz (lDokRef, lTowarRef);

-- Receipt positions; lDokPozRef the document position a receipt sold.
create table ParagPoz (
    lParagPozRef integer primary key,
    lDokPozRef integer references DokPoz (lDokPozRef)
);
create index ParagPoz_lDokPozRef on ParagPoz (lDokPozRef);

-- Complaints: one row per unit; nWlasnosc 1 the store's own, nMiejscePobytu 1
-- in the store.
create table Reklamacja (
    lReklamacjaRef integer primary key,
    lTowarRef integer not null references towar (lTowarRef),
    nWlasnosc integer,
    nMiejscePobytu integer
);
create index Reklamacja_lTowarRef on Reklamacja (lTowarRef);

-- The reasons a discount may be given for; the module reads the ids as int.
create table DiscountReasonDict (
    lDiscountReasonDictRef integer primary key,
    sValue text not null
);
create trigger DiscountReasonDict_id_fits before insert on DiscountReasonDict
when new.lDiscountReasonDictRef > 2147483647 or new.lDiscountReasonDictRef < 1
begin
    select raise(abort, 'Identyfikator powodu rabatu (lDiscountReasonDictRef) musi mieścić się w zakresie od 1 do 2147483647.');
end;
create trigger DiscountReasonDict_id_stays before update of lDiscountReasonDictRef on DiscountReasonDict
when new.lDiscountReasonDictRef > 2147483647 or new.lDiscountReasonDictRef < 1
begin
    select raise(abort, 'Identyfikator powodu rabatu (lDiscountReasonDictRef) musi mieścić się w zakresie od 1 do 2147483647.');
end;
