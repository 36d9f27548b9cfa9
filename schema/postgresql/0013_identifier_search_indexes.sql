-- The identifier search finds products by the end of their article index
-- ("sArtIndex like '%000123'") and by the beginning of their name in the Polish
-- upper case ("upper(sNazwa) like 'MLEKO%'"). The translated statements put a
-- range on these two expressions before such a like, and these indexes let the
-- store seek it instead of reading every product.
--
-- The two functions belong to the indexes, so they are made here and not in
-- the routines script: a function an index is built on must not change under
-- it; a later change is a migration that rebuilds the indexes. Both keep the
-- collation of their argument, so the indexes are in byte order like the
-- columns.
--
-- polish_upper maps case character by character, as the module does
-- (Core::PolishText): glibc's C.UTF-8 maps each letter to its one-letter upper
-- case ("ż" to "Ż", "ß" stays), where ICU's upper maps whole texts ("ß" to
-- "SS") and would miss a name the module searches for as "WEIß%".
--
-- PL/pgSQL rather than SQL: the planner would inline an SQL function, and the
-- inlined expression, which changes the collation inside, no longer matches
-- the index.
create function polish_upper(text) returns text language plpgsql immutable strict parallel safe as $$
begin
    return upper($1 collate "C.utf8");
end $$;

-- PostgreSQL's reverse reverses by characters (a text here is always valid
-- UTF-8).
create function reverse_chars(text) returns text language sql immutable strict parallel safe
    return reverse($1);

create index towar_reversed_sArtIndex on towar (reverse_chars(sArtIndex));
create index towar_upper_sNazwa on towar (polish_upper(sNazwa));
