-- Product classes keep the attribute word of the class (bit n-1 for attribute n).
alter table klasa add column bAtrWart integer;
