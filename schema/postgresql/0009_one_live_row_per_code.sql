-- A code is live (status 1 or 2) on at most one row, whoever writes: the store
-- refuses a second live row of a code with a unique index over the live rows.
-- A store that already holds a code live on several rows keeps the row of the
-- lowest lPluRef live and marks the others deleted (status 3), each recorded in
-- the change history (key "PLU", the row's id and product), so that the
-- upgrade can be traced. The history's rows take their ids from the pool.
insert into HistoriaZmian (lHistoriaZmianRef, sSekcja, sRodzajObiektu, sKlucz, nTypOperacji, lObiektRef, lTowarRef,
                           sOpis, lUzytkRef, czasZmiany)
select newref(), 'Operacje', 'Towar', 'PLU', 2, p.lPluRef, p.lTowarRef,
       'Aktualizacja bazy: kod ' || p.sPLU || ' był żywy także w wierszu o lPluRef = ' ||
           (select min(k.lPluRef) from plu k where k.sPLU = p.sPLU and k.byStatus in (1, 2)) ||
           '; ten wiersz oznaczono jako usunięty.',
       1, extract(epoch from localtimestamp - timestamp '1899-12-30') / 86400
from plu p
where p.byStatus in (1, 2)
  and exists (select 1 from plu k where k.sPLU = p.sPLU and k.byStatus in (1, 2) and k.lPluRef < p.lPluRef)
order by p.lPluRef;

update plu set byStatus = 3
where byStatus in (1, 2)
  and exists (select 1 from plu k where k.sPLU = plu.sPLU and k.byStatus in (1, 2) and k.lPluRef < plu.lPluRef);

create unique index plu_live_sPLU on plu (sPLU) where byStatus in (1, 2);
