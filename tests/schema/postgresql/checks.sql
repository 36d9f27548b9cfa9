-- The PostgreSQL store's routines, triggers and indexes on small data, run by
-- check.sh on a store made by the migrations and the routines script. Each
-- check raises "NIEZGODNOŚĆ ..." on a wrong result, which stops the run.
-- Sections that fill tables end with a rollback to a savepoint, so each
-- starts on the empty store. The id generator is no transaction's: it is
-- only ever moved up here.

\ir expect.sql

-- The statement must fail with the message.
create function pg_temp.refused(statement text, message text) returns void language plpgsql as $$
declare
    failure text;
begin
    begin
        execute statement;
    exception when others then
        failure := sqlerrm;
    end;
    perform pg_temp.expect(failure, message, statement);
end $$;

-- The plan of the statement must read the index.
create function pg_temp.seeks(statement text, index_name text) returns void language plpgsql as $$
declare
    step record;
    plan text := '';
begin
    for step in execute 'explain ' || statement loop
        plan := plan || step."QUERY PLAN" || E'\n';
    end loop;
    if position('Index Scan using ' || index_name in plan) = 0 and position('Index Only Scan using ' || index_name in plan) = 0 then
        raise exception 'NIEZGODNOŚĆ: % nie czyta indeksu %:%', statement, index_name, E'\n' || plan;
    end if;
end $$;

-- Text columns compare byte by byte whatever the database's collation.
select pg_temp.expect((select count(*) from information_schema.columns
                       where table_schema = 'public' and data_type = 'text' and collation_name is distinct from 'C'),
                      0::bigint, 'kolumny tekstowe bez collate "C"');

-- The dialect's functions the store's C++ tests do not reach on a server: ß keeps its case, as
-- in Oracle; sysdate is the session's local time.
select pg_temp.expect(polish_upper('straße'), 'STRAßE', 'polish_upper: ß nie ma jednoliterowej wielkiej');
set local timezone = 'UTC';
create temporary table utc_now as select sysdate() as day;
set local timezone = 'Asia/Kolkata';
select pg_temp.expect(round(((sysdate() - (select day from utc_now)) * 24 * 60)::numeric), 330::numeric,
                      'sysdate: czas lokalny sesji');
reset timezone;

-- lastStnDate, and the free-number routines, are the stock quantities' and store routine tests', which run
-- on the server too.
savepoint empty;

-- The rows the store refuses, in its own words (a commission group named by products: the commission
-- group window's test, which runs on the server too).
select pg_temp.refused($$insert into towar (sNazwa) values ('Mleko')$$,
    'Towar bez identyfikatora: lTowarRef nadaje pula identyfikatorów sklepu.');
select pg_temp.refused($$insert into towar (lTowarRef) values (0)$$,
    'Towar bez identyfikatora: lTowarRef nadaje pula identyfikatorów sklepu.');
insert into towar (lTowarRef, sGrIndex, byCode) values (1, '0101', 6);
select pg_temp.refused($$insert into plu (sPLU, lTowarRef, byStatus) values ('5900001', 1, 1)$$,
    'Kod PLU bez identyfikatora: lPluRef nadaje pula identyfikatorów sklepu.');
select pg_temp.refused($$update towar set lTowarRef = 2147483648 where lTowarRef = 1$$,
    'Identyfikator towaru (lTowarRef) jest większy niż 2147483647, największy, jaki program obsługuje.');
insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (newref(), '5900001', 1, 1);
select pg_temp.refused($$update plu set lPluRef = 2147483648$$,
    'Identyfikator kodu PLU (lPluRef) jest większy niż 2147483647, największy, jaki program obsługuje.');
select pg_temp.refused($$insert into DiscountReasonDict (lDiscountReasonDictRef, sValue) values (0, 'Stały klient')$$,
    'Identyfikator powodu rabatu (lDiscountReasonDictRef) musi mieścić się w zakresie od 1 do 2147483647.');
insert into DiscountReasonDict (lDiscountReasonDictRef, sValue) values (1, 'Stały klient');
select pg_temp.refused($$update DiscountReasonDict set lDiscountReasonDictRef = 2147483648$$,
    'Identyfikator powodu rabatu (lDiscountReasonDictRef) musi mieścić się w zakresie od 1 do 2147483647.');
do $$ begin
    insert into ReturnReason (ReturnReasonId, ReturnReason, Shortcut) values (newref(), 'Wada', 'ab');
    raise exception 'NIEZGODNOŚĆ: skrót powodu zwrotu małymi literami przyjęty';
exception when check_violation then null;
end $$;

-- Deleted rows may repeat a code that is live on one row.
insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (newref(), '5900001', 1, 3), (newref(), '5900001', 1, 3);
update plu set byStatus = 3 where byStatus = 1;
insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (newref(), '5900001', 1, 1);
rollback to savepoint empty;

-- The indexes the translated statements seek: a group's prefix, the codes'
-- and article indexes' ranges (the identifier search's are the LIKE range tests').
set local enable_seqscan = off;
set local enable_bitmapscan = off;
select pg_temp.seeks($$select * from towar where sGrIndex like '0101%'$$, 'towar_sgrindex');
select pg_temp.seeks($$select * from plu where sPLU >= '29' and sPLU < '29:'$$, 'plu_splu');
select pg_temp.seeks($$select * from towar where byCode < 6 and length(sGrIndex) = 4 and substr(sGrIndex, 1, 2) = '01'$$,
                     'towar_groups');
reset enable_seqscan;
reset enable_bitmapscan;

-- The id pool: a row of the other tables that comes with an id past it moves it
-- there; an id past an int is refused. Taking ids, reserving them (never back,
-- not undone by a rollback), the rows of towar with their own ids and the
-- pool's end are the id pool's C++ tests', which run on the server too. The
-- sections above moved the pool: ids here are counted from where it is.
select newref() as base \gset
insert into towar (lTowarRef, sGrIndex, byCode) values (:base + 1000, '0101', 6);
insert into ReturnReason (ReturnReasonId, ReturnReason) values (:base + 3000, 'Wada');
select pg_temp.expect(newref(), :base + 3001, 'powód zwrotu z własnym identyfikatorem przesuwa pulę');
insert into CommissionGroup (CommissionGroupId, CommissionNumber, Name, CommissionValue, DateFrom)
values (:base + 4000, 1, 'Prasa', 5, 40544);
select pg_temp.expect(newref(), :base + 4001, 'grupa prowizyjna z własnym identyfikatorem przesuwa pulę');
insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (:base + 10, '5900001', :base + 1000, 1);
update plu set lPluRef = :base + 6000 where lPluRef = :base + 10;
select pg_temp.expect(newref(), :base + 6001, 'zmiana identyfikatora kodu przesuwa pulę');
select reserverefs(null);
select pg_temp.expect(newref(), :base + 6002, 'reserverefs(NULL) nie rusza puli');
select pg_temp.refused('select reserverefs(2147483648)',
    'Pula identyfikatorów sklepu jest wyczerpana: identyfikatory kończą się na 2147483647. Nowych towarów i kodów nie można dodać; zgłoś to serwisowi.');
