-- New groups get the first free segment under their parent: the generators
-- list the child groups of one level under one parent. Groups are few beside
-- products, so this index holds the groups only, by the length of their
-- index (their level) and the index itself; with byCode it answers those
-- queries without reading the rows.
create index towar_groups on towar (length(sGrIndex), sGrIndex, byCode) where byCode < 6;
