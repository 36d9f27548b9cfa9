-- The upgrades of migrations 8 and 9 on a store that was made before them,
-- run by check.sh: with stage=old on a store of version 7 (the rows), with
-- stage=upgraded on the same store after the later migrations (the checks).
select :'stage' = 'old' as old \gset
\if :old
-- A generator that went past the range, ids behind it, and the code 5900001
-- live on two rows (and deleted on a third).
select setval('refgenerator', 3000000000);
insert into towar (lTowarRef, sGrIndex, byCode) values (5, '0101', 6), (40, '0101', 6);
insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values
    (12, '5900001', 5, 1), (13, '5900001', 5, 3), (14, '5900001', 40, 2), (15, '5900002', 40, 1);
insert into HistoriaZmian (lHistoriaZmianRef, sSekcja, sRodzajObiektu, sKlucz, nTypOperacji, lUzytkRef, czasZmiany)
values (50, 'Operacje', 'Towar', 'PLU', 1, 1, 40544);
\else
\ir expect.sql
select pg_temp.expect((select string_agg(lPluRef || ':' || byStatus, ' ' order by lPluRef) from plu),
                      '12:1 13:3 14:3 15:1', 'kod żywy w dwóch wierszach: żywy zostaje wiersz o najniższym lPluRef');
select pg_temp.expect((select string_agg(concat_ws(' | ', lHistoriaZmianRef, sSekcja, sRodzajObiektu, sKlucz, nTypOperacji,
                                                   lObiektRef, lTowarRef, sOpis, lUzytkRef), E'\n')
                       from HistoriaZmian where lHistoriaZmianRef <> 50),
                      '51 | Operacje | Towar | PLU | 2 | 14 | 40 | Aktualizacja bazy: kod 5900001 był żywy także w wierszu o lPluRef = 12; ten wiersz oznaczono jako usunięty. | 1',
                      'wpis historii zmian za wiersz oznaczony jako usunięty, z identyfikatorem z puli');
select pg_temp.expect((select floor(czasZmiany) from HistoriaZmian where lHistoriaZmianRef = 51),
                      (current_date - date '1899-12-30')::double precision, 'czas wpisu historii');
select pg_temp.expect(newref(), 52::bigint, 'pula za największym identyfikatorem');
\endif
