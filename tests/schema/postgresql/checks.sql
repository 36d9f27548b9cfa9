-- The PostgreSQL store's routines, triggers and indexes on small data, run by
-- check.sh on a store made by the migrations and the routines script. Each
-- check raises "NIEZGODNOŚĆ ..." on a wrong result, which stops the run.
-- Sections that fill tables end with a rollback to a savepoint, so each
-- starts on the empty store. The id generator is no transaction's: it is
-- only ever moved up here.

-- The actual value must be the expected one (NULL matches NULL).
create function pg_temp.expect(actual anycompatible, expected anycompatible, what text) returns void
    language plpgsql as $$
begin
    if actual is distinct from expected then
        raise exception 'NIEZGODNOŚĆ: %: jest %, powinno być %', what, coalesce(actual::text, 'NULL'),
            coalesce(expected::text, 'NULL');
    end if;
end $$;

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

-- The statement must fail with the SQLSTATE.
create function pg_temp.refused_with_state(statement text, state text) returns void language plpgsql as $$
declare
    failure text;
begin
    begin
        execute statement;
    exception when others then
        failure := sqlstate;
    end;
    perform pg_temp.expect(failure, state, statement);
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

-- A product of group 0101 with the article index and scale number given.
create function pg_temp.product(art_index text, section bigint default null, scale_number bigint default null)
    returns bigint language sql as $$
    insert into towar (lTowarRef, sGrIndex, byCode, sArtIndex, nWagaSekcja, nWagaPLU)
    values (newref(), '0101', 6, art_index, section, scale_number) returning lTowarRef
$$;

-- A code of product 999 with the status given.
create function pg_temp.code(code text, status bigint default 1) returns bigint language sql as $$
    insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (newref(), code, 999, status) returning lPluRef
$$;

-- Text columns compare byte by byte whatever the database's collation.
select pg_temp.expect((select count(*) from information_schema.columns
                       where table_schema = 'public' and data_type = 'text' and collation_name is distinct from 'C'),
                      0::bigint, 'kolumny tekstowe bez collate "C"');

-- The dialect's functions.
select pg_temp.expect(polish_upper('zażółć gęślą jaźń'), 'ZAŻÓŁĆ GĘŚLĄ JAŹŃ', 'polish_upper');
select pg_temp.expect(polish_upper('straße'), 'STRAßE', 'polish_upper: ß nie ma jednoliterowej wielkiej');
select pg_temp.expect(polish_lower('ZAŻÓŁĆ GĘŚLĄ JAŹŃ'), 'zażółć gęślą jaźń', 'polish_lower');
select pg_temp.expect(polish_upper(null), null, 'polish_upper(NULL)');
select pg_temp.expect(reverse_chars('źdźbło 1'), '1 ołbźdź', 'reverse_chars');
select pg_temp.expect(reverse_chars(null), null, 'reverse_chars(NULL)');
select pg_temp.expect(floor(sysdate()), (current_date - date '1899-12-30')::double precision, 'sysdate: dzisiejszy dzień');
select pg_temp.expect(borlandsysdate(), sysdate(), 'borlandsysdate');
set local timezone = 'UTC';
create temporary table utc_now as select sysdate() as day;
set local timezone = 'Asia/Kolkata';
select pg_temp.expect(round(((sysdate() - (select day from utc_now)) * 24 * 60)::numeric), 330::numeric,
                      'sysdate: czas lokalny sesji');
reset timezone;

-- getWolnyIndex: the lowest article index number of a length, from start up.
savepoint empty;
select pg_temp.expect(getwolnyindex(0, 6), 1::bigint, 'getWolnyIndex: numery od 1');
select pg_temp.expect(getwolnyindex(42, 6), 42::bigint, 'getWolnyIndex: od początku');
select pg_temp.product(i) from unnest(array['000001', '000002', '000002', '000003', '000005', '000100', '00004',
                                            '0000004', '00004a', null]) i;
select pg_temp.expect(getwolnyindex(0, 6), 4::bigint, 'getWolnyIndex: inne długości i nie cyfry się nie liczą');
select pg_temp.expect(getwolnyindex(5, 6), 6::bigint, 'getWolnyIndex(5, 6)');
select pg_temp.expect(getwolnyindex(100, 6), 101::bigint, 'getWolnyIndex(100, 6)');
select pg_temp.expect(getwolnyindex(1, 4), 1::bigint, 'getWolnyIndex(1, 4)');
select pg_temp.product(i::text) from generate_series(1, 9) i;
select pg_temp.expect(getwolnyindex(0, 1), 10::bigint, 'getWolnyIndex: zajęte wszystkie jednocyfrowe');
select pg_temp.expect(getwolnyindex(1234, 3), 1234::bigint, 'getWolnyIndex: start dłuższy niż indeks');
select pg_temp.expect(getwolnyindex(1, 0), null, 'getWolnyIndex(1, 0)');
select pg_temp.expect(getwolnyindex(1, -2), null, 'getWolnyIndex(1, -2)');
select pg_temp.expect(getwolnyindex(null, 6), null, 'getWolnyIndex(NULL, 6)');
select pg_temp.expect(getwolnyindex(1, null), null, 'getWolnyIndex(1, NULL)');
rollback to savepoint empty;

-- getWolnePLUWagowe: the lowest item number no code of the prefix takes.
insert into towar (lTowarRef, sGrIndex, byCode) values (999, '0101', 6);
select pg_temp.expect(getwolnepluwagowe('29', 5, 4, 0), 1::bigint, 'getWolnePLUWagowe: numery od 1');
select pg_temp.code('2900001012509');
select pg_temp.code('2900002000003', 3);  -- a deleted code still holds its number
select pg_temp.code('2900002099996');
select pg_temp.code('290000300000');  -- without its check digit
select pg_temp.code('2900005012509');
select pg_temp.code('2800004000005');  -- another prefix
select pg_temp.code('29000040');  -- an EAN-8: too short to be a code of the prefix
select pg_temp.code('2900006');
select pg_temp.expect(getwolnepluwagowe('29', 5, 4, 1), 4::bigint, 'getWolnePLUWagowe(29, 5, 4, 1)');
select pg_temp.expect(getwolnepluwagowe('29', 5, 4, 5), 6::bigint, 'getWolnePLUWagowe(29, 5, 4, 5)');
select pg_temp.expect(getwolnepluwagowe('29', 5, 0, 6), 7::bigint, 'getWolnePLUWagowe: bez cyfr po numerze 2900006 zajmuje 6');
select pg_temp.expect(getwolnepluwagowe('28', 5, 4, 4), 5::bigint, 'getWolnePLUWagowe(28, 5, 4, 4)');
select pg_temp.expect(getwolnepluwagowe(null, 5, 4, 1), null, 'getWolnePLUWagowe(NULL, ...)');
select pg_temp.expect(getwolnepluwagowe('29', 5, 4, null), null, 'getWolnePLUWagowe(..., NULL)');
select pg_temp.refused($$select getwolnepluwagowe('29', 6, 5, 1)$$,
    'getWolnePLUWagowe: początek kodu "29", 6 cyfr numeru i 5 cyfr po nim nie mieszczą się w kodzie PLU z cyfrą kontrolną.');
select pg_temp.refused($$select getwolnepluwagowe('2a', 5, 4, 1)$$,
    'getWolnePLUWagowe: początek kodu "2a", 5 cyfr numeru i 4 cyfr po nim nie mieszczą się w kodzie PLU z cyfrą kontrolną.');
select pg_temp.code('29' || i || '0000000000') from generate_series(1, 9) i;
select pg_temp.refused($$select getwolnepluwagowe('29', 1, 4, 1)$$,
    'Brak wolnego numeru kodu PLU o początku 29: zajęte są wszystkie numery do 9.');
select pg_temp.refused($$select getwolnepluwagowe('29', 1, 4, 10)$$,
    'Brak wolnego numeru kodu PLU o początku 29: zajęte są wszystkie numery do 9.');
rollback to savepoint empty;

-- Generators.getWolnyNumerWKanale: the lowest scale number the section does not hold.
select pg_temp.expect(generators.getwolnynumerwkanale(1, 1), 1::bigint, 'getWolnyNumerWKanale: pusta sekcja');
select pg_temp.product(null, 1, n) from unnest(array[1, 2, 2, 4, 7]) n;
select pg_temp.product(null, 2, 3);
select pg_temp.expect(generators.getwolnynumerwkanale(1, 1), 3::bigint, 'getWolnyNumerWKanale: numer dwa razy to jeden numer');
select pg_temp.expect(generators.getwolnynumerwkanale(1, 0), 3::bigint, 'getWolnyNumerWKanale: numery od 1');
select pg_temp.expect(generators.getwolnynumerwkanale(1, 4), 5::bigint, 'getWolnyNumerWKanale(1, 4)');
select pg_temp.expect(generators.getwolnynumerwkanale(2, 1), 1::bigint, 'getWolnyNumerWKanale: numery innej sekcji się nie liczą');
select pg_temp.expect(generators.getwolnynumerwkanale(null, 1), null, 'getWolnyNumerWKanale(NULL, 1)');
select pg_temp.expect(generators.getwolnynumerwkanale(1, null), null, 'getWolnyNumerWKanale(1, NULL)');
insert into towar (lTowarRef, sGrIndex, byCode, nWagaSekcja, nWagaPLU)
select 1000000 + n, '0101', 6, 5, n from generate_series(1, 99999) n;
select pg_temp.expect(generators.getwolnynumerwkanale(5, 1), null, 'getWolnyNumerWKanale: pełna sekcja');
select pg_temp.expect(generators.getwolnynumerwkanale(6, 1), 1::bigint, 'getWolnyNumerWKanale: inna sekcja');
select pg_temp.expect(generators.getwolnynumerwkanale(5, 100000), null, 'getWolnyNumerWKanale: start za zakresem');
rollback to savepoint empty;

-- lastStnDate: the day of a product's latest stock row.
insert into towar (lTowarRef, sGrIndex, byCode) values (1, '0101', 6), (2, '0101', 6);
insert into stn (lTowarRef, data, dStan) values (1, 40544, 3), (1, 40546, 2), (1, 40545, 7);
select pg_temp.expect(laststndate(1), 40546::double precision, 'lastStnDate');
select pg_temp.expect(laststndate(2), null, 'lastStnDate: brak stanów');
select pg_temp.expect(laststndate(null), null, 'lastStnDate(NULL)');
rollback to savepoint empty;

-- The rows the store refuses, in its own words.
select pg_temp.refused('delete from dual', 'tabela dual ma zawsze jeden wiersz');
select pg_temp.refused_with_state($$insert into dual (dummy) values ('Y')$$, '23514');
select pg_temp.refused($$insert into towar (sNazwa) values ('Mleko')$$,
    'Towar bez identyfikatora: lTowarRef nadaje pula identyfikatorów sklepu.');
select pg_temp.refused($$insert into towar (lTowarRef) values (0)$$,
    'Towar bez identyfikatora: lTowarRef nadaje pula identyfikatorów sklepu.');
insert into towar (lTowarRef, sGrIndex, byCode) values (1, '0101', 6);
select pg_temp.refused($$insert into plu (sPLU, lTowarRef, byStatus) values ('5900001', 1, 1)$$,
    'Kod PLU bez identyfikatora: lPluRef nadaje pula identyfikatorów sklepu.');
select pg_temp.refused($$insert into towar (lTowarRef) values (2147483648)$$,
    'Identyfikator towaru (lTowarRef) jest większy niż 2147483647, największy, jaki program obsługuje.');
select pg_temp.refused($$update towar set lTowarRef = 2147483648 where lTowarRef = 1$$,
    'Identyfikator towaru (lTowarRef) jest większy niż 2147483647, największy, jaki program obsługuje.');
insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (newref(), '5900001', 1, 1);
select pg_temp.refused($$insert into plu (lPluRef, sPLU, lTowarRef) values (2147483648, '5900002', 1)$$,
    'Identyfikator kodu PLU (lPluRef) jest większy niż 2147483647, największy, jaki program obsługuje.');
select pg_temp.refused($$update plu set lPluRef = 2147483648$$,
    'Identyfikator kodu PLU (lPluRef) jest większy niż 2147483647, największy, jaki program obsługuje.');
select pg_temp.refused($$insert into DiscountReasonDict (lDiscountReasonDictRef, sValue) values (0, 'Stały klient')$$,
    'Identyfikator powodu rabatu (lDiscountReasonDictRef) musi mieścić się w zakresie od 1 do 2147483647.');
select pg_temp.refused($$insert into DiscountReasonDict (lDiscountReasonDictRef, sValue) values (2147483648, 'Stały klient')$$,
    'Identyfikator powodu rabatu (lDiscountReasonDictRef) musi mieścić się w zakresie od 1 do 2147483647.');
insert into DiscountReasonDict (lDiscountReasonDictRef, sValue) values (1, 'Stały klient');
select pg_temp.refused($$update DiscountReasonDict set lDiscountReasonDictRef = 2147483648$$,
    'Identyfikator powodu rabatu (lDiscountReasonDictRef) musi mieścić się w zakresie od 1 do 2147483647.');
insert into CommissionGroup (CommissionGroupId, CommissionNumber, Name, CommissionValue, DateFrom)
values (7, 1, 'Prasa', 5, 40544), (8, 2, 'Bilety', 3, 40544);
update towar set CommissionGroupId = 7;
select pg_temp.refused('delete from CommissionGroup where CommissionGroupId = 7',
    'Grupy prowizyjnej nie można usunąć: przypisano ją towarom.');
delete from CommissionGroup where CommissionGroupId = 8;
select pg_temp.expect((select count(*) from CommissionGroup), 1::bigint, 'grupa prowizyjna bez towarów usunięta');
select pg_temp.refused_with_state($$insert into ReturnReason (ReturnReasonId, ReturnReason, Shortcut) values (newref(), 'Wada', 'ab')$$,
    '23514');

-- A code is live on at most one row; deleted rows may repeat it.
select pg_temp.refused_with_state($$insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (newref(), '5900001', 1, 2)$$,
    '23505');
insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (newref(), '5900001', 1, 3), (newref(), '5900001', 1, 3);
update plu set byStatus = 3 where byStatus = 1;
insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (newref(), '5900001', 1, 1);
rollback to savepoint empty;

-- The indexes the translated statements seek: the identifier search's ranges
-- (bounds in collate "C", as the translation writes them), a group's prefix,
-- the codes' and article indexes' ranges.
set local enable_seqscan = off;
set local enable_bitmapscan = off;
select pg_temp.seeks($$select * from towar where polish_upper(sNazwa) >= 'MLE' collate "C" and polish_upper(sNazwa) < 'MLF' collate "C"$$,
                     'towar_upper_snazwa');
select pg_temp.seeks($$select * from towar where reverse_chars(sArtIndex) >= '321000' collate "C" and reverse_chars(sArtIndex) < '321001' collate "C"$$,
                     'towar_reversed_sartindex');
select pg_temp.seeks($$select * from towar where sGrIndex like '0101%'$$, 'towar_sgrindex');
select pg_temp.seeks($$select * from plu where sPLU >= '29' and sPLU < '29:'$$, 'plu_splu');
select pg_temp.seeks($$select * from towar where byCode < 6 and length(sGrIndex) = 4 and substr(sGrIndex, 1, 2) = '01'$$,
                     'towar_groups');
reset enable_seqscan;
reset enable_bitmapscan;

-- The id pool: newref counts up; a row that comes with an id past it moves it
-- there (never back), and so does reserverefs; an id past an int is refused.
-- The sections above moved the pool: ids here are counted from where it is.
select newref() as base \gset
select pg_temp.expect(newref(), :base + 1, 'newref: kolejne identyfikatory');
insert into towar (lTowarRef, sGrIndex, byCode) values (:base + 1000, '0101', 6);
select pg_temp.expect(newref(), :base + 1001, 'towar z własnym identyfikatorem przesuwa pulę');
insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (:base + 2000, '5900001', :base + 1000, 1);
select pg_temp.expect(newref(), :base + 2001, 'kod z własnym identyfikatorem przesuwa pulę');
insert into towar (lTowarRef, sGrIndex, byCode) values (:base + 1500, '0101', 6);
select pg_temp.expect(newref(), :base + 2002, 'identyfikator poniżej puli jej nie cofa');
insert into ReturnReason (ReturnReasonId, ReturnReason) values (:base + 3000, 'Wada');
select pg_temp.expect(newref(), :base + 3001, 'powód zwrotu z własnym identyfikatorem przesuwa pulę');
insert into CommissionGroup (CommissionGroupId, CommissionNumber, Name, CommissionValue, DateFrom)
values (:base + 4000, 1, 'Prasa', 5, 40544);
select pg_temp.expect(newref(), :base + 4001, 'grupa prowizyjna z własnym identyfikatorem przesuwa pulę');
update towar set lTowarRef = :base + 5000 where lTowarRef = :base + 1500;
select pg_temp.expect(newref(), :base + 5001, 'zmiana identyfikatora towaru przesuwa pulę');
update plu set lPluRef = :base + 6000 where lPluRef = :base + 2000;
select pg_temp.expect(newref(), :base + 6001, 'zmiana identyfikatora kodu przesuwa pulę');
select reserverefs(:base + 7000);
select reserverefs(10);
select reserverefs(null);
select pg_temp.expect(newref(), :base + 7001, 'reserverefs przesuwa pulę tylko w górę');
rollback to savepoint empty;
select pg_temp.expect(newref(), :base + 7002, 'wycofana transakcja nie cofa puli');
select pg_temp.refused('select reserverefs(2147483648)',
    'Pula identyfikatorów sklepu jest wyczerpana: identyfikatory kończą się na 2147483647. Nowych towarów i kodów nie można dodać; zgłoś to serwisowi.');
select reserverefs(2147483646);
select pg_temp.expect(newref(), 2147483647::bigint, 'ostatni identyfikator puli');
select pg_temp.refused('select newref()',
    'Pula identyfikatorów sklepu jest wyczerpana: identyfikatory kończą się na 2147483647. Nowych towarów i kodów nie można dodać; zgłoś to serwisowi.');
