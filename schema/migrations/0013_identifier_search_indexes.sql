-- The identifier search finds products by the end of their article index
-- ("sArtIndex like '%000123'") and by the beginning of their name in the Polish
-- upper case ("upper(sNazwa) like 'MLEKO%'"). The dialect puts a range on these
-- two expressions before such a like, and these indexes let the store seek it
-- instead of reading every product. Both functions are the dialect's own,
-- deterministic ones, defined on every connection of the store (polish_upper is
-- the dialect's upper under a name no other tool gives a different meaning).
create index towar_reversed_sArtIndex on towar (reverse_chars(sArtIndex));
create index towar_upper_sNazwa on towar (polish_upper(sNazwa));
