-- The module reads ids as int: an id is 1 to 2147483647. The store refuses a
-- product or code row whose id is past that, and its id generator refuses to
-- go past it, so a full pool says so instead of handing out an id the module
-- would cut.
--
-- The generator never hands out a taken id: a row that comes with an id of
-- its own past the generator (an import, a statement of support staff) moves
-- the generator to that id (reserverefs).
--
-- A store whose generator already went past the range is set to the greatest
-- id in use; a store that already holds an id past the range keeps it, and
-- its pool is then exhausted.
do $$
declare
    last_taken bigint := greatest((select max(lTowarRef) from towar),
                                  (select max(lPluRef) from plu),
                                  (select max(lSpecCenDrukRef) from SpecCenDruk),
                                  (select max(lPluDiscountRef) from PluDiscount),
                                  (select max(lHistoriaZmianRef) from HistoriaZmian),
                                  (select last_value from refgenerator where is_called and last_value <= 2147483647));
begin
    if last_taken is null then
        perform setval('refgenerator', 1, false);  -- nothing taken: the pool starts at 1
    else
        perform setval('refgenerator', least(last_taken, 2147483647));
    end if;
end $$;

-- Cache 1: reserverefs reads the generator's last value, which a cache would
-- leave behind the ids sessions hold in advance.
alter sequence refgenerator maxvalue 2147483647 no cycle cache 1;

create function refuse_exhausted_pool() returns void language plpgsql as $$
begin
    raise exception 'Pula identyfikatorów sklepu jest wyczerpana: identyfikatory kończą się na 2147483647. Nowych towarów i kodów nie można dodać; zgłoś to serwisowi.';
end $$;

-- The next id of the pool. nextval never waits for another session; the
-- shared lock only keeps it from running inside a reserverefs (which holds
-- the lock exclusively for a moment), so that a setval there cannot move the
-- generator back below ids handed out meanwhile. Take ids only through
-- newref, never by nextval.
create function newref() returns bigint language plpgsql volatile as $$
declare
    ref bigint;
begin
    perform pg_advisory_lock_shared('refgenerator'::regclass::oid::bigint);
    begin
        ref := nextval('refgenerator');
    exception
        when sqlstate '2200H' then  -- the sequence is at its maxvalue
            perform pg_advisory_unlock_shared('refgenerator'::regclass::oid::bigint);
            perform refuse_exhausted_pool();
        when others or query_canceled then
            perform pg_advisory_unlock_shared('refgenerator'::regclass::oid::bigint);
            raise;
    end;
    perform pg_advisory_unlock_shared('refgenerator'::regclass::oid::bigint);
    return ref;
end $$;

-- Counts every id up to `ref` as taken: the generator moves up to it, never
-- down. Like any sequence change it stays when the transaction rolls back;
-- the ids skipped so are merely never handed out.
create function reserverefs(ref bigint) returns void language plpgsql volatile as $$
begin
    -- The generator only rises: an id it has passed stays passed, so most
    -- calls (every row given an id of the pool) end here without a lock.
    if ref is null or ref <= (select case when is_called then last_value else last_value - 1 end from refgenerator) then
        return;
    end if;
    if ref > 2147483647 then
        perform refuse_exhausted_pool();
    end if;
    perform pg_advisory_lock('refgenerator'::regclass::oid::bigint);
    begin
        if ref > (select case when is_called then last_value else last_value - 1 end from refgenerator) then
            perform setval('refgenerator', ref);
        end if;
    exception
        when others or query_canceled then
            perform pg_advisory_unlock('refgenerator'::regclass::oid::bigint);
            raise;
    end;
    perform pg_advisory_unlock('refgenerator'::regclass::oid::bigint);
end $$;

create trigger towar_id_fits before insert on towar
    for each row when (new.lTowarRef > 2147483647)
    execute function refuse_row('Identyfikator towaru (lTowarRef) jest większy niż 2147483647, największy, jaki program obsługuje.');

create trigger towar_id_fits_update before update of lTowarRef on towar
    for each row when (new.lTowarRef > 2147483647)
    execute function refuse_row('Identyfikator towaru (lTowarRef) jest większy niż 2147483647, największy, jaki program obsługuje.');

create trigger plu_id_fits before insert on plu
    for each row when (new.lPluRef > 2147483647)
    execute function refuse_row('Identyfikator kodu PLU (lPluRef) jest większy niż 2147483647, największy, jaki program obsługuje.');

create trigger plu_id_fits_update before update of lPluRef on plu
    for each row when (new.lPluRef > 2147483647)
    execute function refuse_row('Identyfikator kodu PLU (lPluRef) jest większy niż 2147483647, największy, jaki program obsługuje.');

create function towar_id_taken() returns trigger language plpgsql as $$
begin
    perform reserverefs(new.lTowarRef);
    return null;
end $$;

create function plu_id_taken() returns trigger language plpgsql as $$
begin
    perform reserverefs(new.lPluRef);
    return null;
end $$;

create trigger towar_id_taken after insert on towar for each row execute function towar_id_taken();
create trigger towar_id_taken_update after update of lTowarRef on towar for each row execute function towar_id_taken();
create trigger plu_id_taken after insert on plu for each row execute function plu_id_taken();
create trigger plu_id_taken_update after update of lPluRef on plu for each row execute function plu_id_taken();
