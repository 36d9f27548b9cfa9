-- The module reads ids as int: an id is 1 to 2147483647. The store refuses a
-- product or code row whose id is past that, and its id generator refuses to
-- go past it (or to become anything but an integer), so a full pool says so
-- instead of handing out an id the module would cut.
--
-- The generator never hands out a taken id: a row that comes with an id of
-- its own past the generator (an import, a statement of support staff) moves
-- the generator to that id.
--
-- A store whose generator already went wrong (past the range, or turned REAL)
-- is set to the greatest id in use, as an integer; a store that already holds
-- an id past the range keeps it, and its pool is then exhausted.
update RefGenerator set lastRef = max(ifnull((select max(lTowarRef) from towar), 0),
                                      ifnull((select max(lPluRef) from plu), 0),
                                      ifnull((select max(lSpecCenDrukRef) from SpecCenDruk), 0),
                                      ifnull((select max(lPluDiscountRef) from PluDiscount), 0),
                                      ifnull((select max(lHistoriaZmianRef) from HistoriaZmian), 0),
                                      case when typeof(lastRef) in ('integer', 'real') and lastRef <= 2147483647
                                           then cast(lastRef as integer) else 0 end);

create trigger RefGenerator_fits before update on RefGenerator
when typeof(new.lastRef) <> 'integer' or new.lastRef > 2147483647
begin
    select raise(abort, 'Pula identyfikatorów sklepu jest wyczerpana: identyfikatory kończą się na 2147483647. Nowych towarów i kodów nie można dodać; zgłoś to serwisowi.');
end;

create trigger towar_id_fits before insert on towar when new.lTowarRef > 2147483647
begin
    select raise(abort, 'Identyfikator towaru (lTowarRef) jest większy niż 2147483647, największy, jaki program obsługuje.');
end;

create trigger towar_id_fits_update before update of lTowarRef on towar when new.lTowarRef > 2147483647
begin
    select raise(abort, 'Identyfikator towaru (lTowarRef) jest większy niż 2147483647, największy, jaki program obsługuje.');
end;

create trigger plu_id_fits before insert on plu when new.lPluRef > 2147483647
begin
    select raise(abort, 'Identyfikator kodu PLU (lPluRef) jest większy niż 2147483647, największy, jaki program obsługuje.');
end;

create trigger plu_id_fits_update before update of lPluRef on plu when new.lPluRef > 2147483647
begin
    select raise(abort, 'Identyfikator kodu PLU (lPluRef) jest większy niż 2147483647, największy, jaki program obsługuje.');
end;

create trigger towar_id_taken after insert on towar when new.lTowarRef > (select lastRef from RefGenerator)
begin
    update RefGenerator set lastRef = new.lTowarRef;
end;

create trigger towar_id_taken_update after update of lTowarRef on towar
when new.lTowarRef > (select lastRef from RefGenerator)
begin
    update RefGenerator set lastRef = new.lTowarRef;
end;

create trigger plu_id_taken after insert on plu when new.lPluRef > (select lastRef from RefGenerator)
begin
    update RefGenerator set lastRef = new.lPluRef;
end;

create trigger plu_id_taken_update after update of lPluRef on plu when new.lPluRef > (select lastRef from RefGenerator)
begin
    update RefGenerator set lastRef = new.lPluRef;
end;
