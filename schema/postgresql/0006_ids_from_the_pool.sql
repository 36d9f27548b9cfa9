-- Product and code ids come from the store's id pool (newref, GetRef), which
-- hands out numbers from 1. Refuse a row inserted without an id, or with one
-- below 1, in the store's words rather than the server's.
create trigger towar_id_required before insert on towar
    for each row when (new.lTowarRef is null or new.lTowarRef < 1)
    execute function refuse_row('Towar bez identyfikatora: lTowarRef nadaje pula identyfikatorów sklepu.');

create trigger plu_id_required before insert on plu
    for each row when (new.lPluRef is null or new.lPluRef < 1)
    execute function refuse_row('Kod PLU bez identyfikatora: lPluRef nadaje pula identyfikatorów sklepu.');
