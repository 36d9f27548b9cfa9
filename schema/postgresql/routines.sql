-- The functions the store's translated statements call on PostgreSQL, with
-- the meaning the SQLite store gives them (schema/routines/, the dialect's
-- functions). Run after the migrations whenever a store is made or upgraded;
-- every statement is idempotent. The functions the schema's own objects are
-- built on come with the migrations instead: newref and reserverefs (8),
-- polish_upper and reverse_chars (13). Changing a function's arguments or
-- result needs a drop first: create or replace keeps the signature.

create schema if not exists generators;

-- The dialect's lower, as polish_upper (migration 13) is its upper.
create or replace function polish_lower(text) returns text language sql immutable strict parallel safe
    return lower($1 collate "C.utf8");

-- The range of a like pattern bound as a parameter, which the translated
-- statement puts before the like so that an index seeks it (LikeRanges.h):
-- like_prefix gives the text before the first % or _, like_prefix_end that
-- text with its last character raised by one (past the surrogates), the least
-- text above every text beginning so in byte order (collate "C", as the
-- statement compares them). A prefix that is empty, holds U+FFFD (a broken
-- byte sequence on SQLite, where the two must agree) or ends in U+10FFFF has
-- no such bound: like_prefix_end gives NULL, no text being above every text,
-- and like_prefix ''. Immutable, so that the planner computes them once from
-- the bound value and seeks the index with the constants.
create or replace function like_prefix_end(pattern text) returns text
    language plpgsql immutable strict parallel safe as $$
declare
    prefix text := substring(pattern from '^[^%_]*');
    last integer := ascii(right(prefix, 1));
begin
    if prefix = '' or strpos(prefix, chr(65533)) > 0 or last = 1114111 then
        return null;
    end if;
    return left(prefix, -1) || chr(case when last = 55295 then 57344 else last + 1 end);
end $$;

create or replace function like_prefix(pattern text) returns text
    language plpgsql immutable strict parallel safe as $$
begin
    return case when like_prefix_end(pattern) is null then '' else substring(pattern from '^[^%_]*') end;
end $$;

-- Now as a day number: whole days since 1899-12-30 and the time of day as
-- the fraction, to the millisecond, in the session's time zone (the
-- workstation's local time, as on SQLite, when the session is given the
-- workstation's zone). Oracle's sysdate is the time of the statement, and so
-- is this.
create or replace function sysdate() returns double precision language sql stable parallel safe
    return extract(epoch from date_trunc('milliseconds', statement_timestamp()::timestamp)
                              - timestamp '1899-12-30')::double precision / 86400;

create or replace function borlandsysdate() returns double precision language sql stable parallel safe
    return sysdate();

-- The three free-number functions below find the lowest number, from a
-- candidate up, that no row holds. Each reads the numbers in use from an
-- index in order, from the candidate up, and stops at the first one missing:
-- the candidate itself when the lowest number in use is past it, else the
-- number after the first one whose next one is not in use. So each reads the
-- run of used numbers that begins at the candidate, not every row. The
-- planner cannot foresee that stop: on its estimate it may read the whole
-- range from another index and sort it. Each sets enable_sort off, which
-- leaves it the one plan that walks the index in order.

-- getWolnyIndex(start, length): the lowest article index number, 1 at least
-- and at or above start, that no product holds as an article index of
-- `length` digits (texts of another length or with other characters do not
-- count); when every number of `length` digits from there is taken, the first
-- longer one. NULL when an argument is NULL or length is not positive.
create or replace function getwolnyindex(start_number bigint, index_length bigint) returns bigint
    language plpgsql stable strict parallel safe set enable_sort = off as $$
declare
    candidate bigint := greatest(start_number, 1);
begin
    if index_length <= 0 then
        return null;  -- no article index has no digits
    end if;
    if char_length(candidate::text) > index_length then
        return candidate;  -- no index of `index_length` digits is this long
    end if;
    -- Article indexes of one length sort as their numbers do.
    return coalesce(
        (select case when run.place = 1 and run.number > candidate then candidate else run.number + 1 end
         from (select sArtIndex, number, row_number() over w as place, lead(number) over w as next
               from (select sArtIndex, sArtIndex::numeric as number
                     from towar
                     where sArtIndex >= lpad(candidate::text, index_length::int, '0')
                       and sArtIndex <= repeat('9', index_length::int)
                       and char_length(sArtIndex) = index_length and sArtIndex !~ '[^0-9]') used
               window w as (order by sArtIndex)) run
         where (run.place = 1 and run.number > candidate) or run.next is null or run.next > run.number + 1
         order by run.sArtIndex
         limit 1),
        candidate);
end $$;

-- getWolnePLUWagowe(prefix, numberLength, restLength, start): the lowest
-- number, 1 at least and at or above start, that no code of the store takes:
-- no plu row of any status (a deleted code may still be on a label or in a
-- till) whose text begins with the prefix and the number padded to
-- numberLength digits and has at least restLength digits more. NULL when an
-- argument is NULL; refused when the prefix is not digits or prefix, number
-- and rest leave no room for the check digit of a 13-digit code, and when
-- every number of numberLength digits from start up is taken.
create or replace function getwolnepluwagowe(prefix text, number_length bigint, rest_length bigint,
                                             start_number bigint) returns bigint
    language plpgsql stable strict parallel safe set enable_sort = off as $$
declare
    candidate bigint := greatest(start_number, 1);
begin
    if prefix ~ '[^0-9]' or number_length < 1 or rest_length < 0
       or char_length(prefix) + number_length + rest_length >= 13 then
        raise exception 'getWolnePLUWagowe: początek kodu "%", % cyfr numeru i % cyfr po nim nie mieszczą się w kodzie PLU z cyfrą kontrolną.',
            prefix, number_length, rest_length;
    end if;
    if char_length(candidate::text) <= number_length then
        -- Numbers of a fixed width sort as their texts do, so the codes that
        -- begin with the prefix and a number from the candidate up come from
        -- the index on sPLU in the order of their numbers (':' follows '9',
        -- closing the range).
        candidate := coalesce(
            (select case when run.place = 1 and run.number > candidate then candidate else run.number + 1 end
             from (select sPLU, number, row_number() over w as place, lead(number) over w as next
                   from (select sPLU, substr(sPLU, char_length(prefix) + 1, number_length::int)::bigint as number
                         from plu
                         where sPLU >= prefix || lpad(candidate::text, number_length::int, '0')
                           and sPLU < prefix || ':'
                           and char_length(sPLU) >= char_length(prefix) + number_length + rest_length
                           and substr(sPLU, char_length(prefix) + 1, number_length::int) !~ '[^0-9]') used
                   window w as (order by sPLU)) run
             where (run.place = 1 and run.number > candidate) or run.next is null or run.next > run.number + 1
             order by run.sPLU
             limit 1),
            candidate);
    end if;
    if char_length(candidate::text) > number_length then
        raise exception 'Brak wolnego numeru kodu PLU o początku %: zajęte są wszystkie numery do %.',
            prefix, repeat('9', number_length::int);
    end if;
    return candidate;
end $$;

-- Generators.getWolnyNumerWKanale(section, start): the lowest scale number of
-- the section, start at least and 1 at least, that no product holds in that
-- section (towar.nWagaSekcja, nWagaPLU); NULL when an argument is NULL or
-- every number up to 99999 (a scale number is the five-digit item number of
-- weighed-goods codes) is taken.
create or replace function generators.getwolnynumerwkanale(section bigint, start_number bigint) returns bigint
    language plpgsql stable strict parallel safe set enable_sort = off as $$
declare
    candidate bigint := greatest(start_number, 1);
begin
    candidate := coalesce(
        (select case when run.place = 1 and run.number > candidate then candidate else run.number + 1 end
         from (select number, row_number() over w as place, lead(number) over w as next
               from (select nWagaPLU as number
                     from towar
                     where nWagaSekcja = section and nWagaPLU >= candidate and nWagaPLU <= 99999) used
               window w as (order by number)) run
         where (run.place = 1 and run.number > candidate) or run.next is null or run.next > run.number + 1
         order by run.number
         limit 1),
        candidate);
    return case when candidate <= 99999 then candidate end;
end $$;

-- lastStnDate(product): the day of the product's latest stn row, one seek on
-- the table's key; NULL when it has none or the argument is NULL.
create or replace function laststndate(product bigint) returns double precision
    language sql stable strict parallel safe
    return (select max(data) from stn where lTowarRef = product);
