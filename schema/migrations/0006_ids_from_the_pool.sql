-- Product and code ids come from the store's id pool (newref, GetRef), which
-- hands out numbers from 1. The id columns are SQLite's row ids, which would
-- number a row inserted without an id on their own and later collide with the
-- pool: refuse such a row, as a null primary key is refused elsewhere. Before
-- the insert SQLite shows an id it has yet to number as -1, hence "< 1".
create trigger towar_id_required before insert on towar when new.lTowarRef is null or new.lTowarRef < 1
begin
    select raise(abort, 'Towar bez identyfikatora: lTowarRef nadaje pula identyfikatorów sklepu.');
end;

create trigger plu_id_required before insert on plu when new.lPluRef is null or new.lPluRef < 1
begin
    select raise(abort, 'Kod PLU bez identyfikatora: lPluRef nadaje pula identyfikatorów sklepu.');
end;
