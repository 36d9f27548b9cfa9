-- The reasons a customer may give for a return, which the tills offer: the
-- text (1 to 64 characters), an optional shortcut of up to three capitals
-- A-Z, and the deleted mark (a reason is never removed, only marked). The
-- return-reason window keeps the texts unique without regard to case and the
-- shortcuts unique, under the lock it holds while open; the table holds no
-- unique index, as a save that swaps two texts passes through a moment where
-- both rows hold one. Ids come from the store's pool and fit an int.
create table ReturnReason (
    ReturnReasonId integer primary key check (ReturnReasonId between 1 and 2147483647),
    ReturnReason text not null check (length(ReturnReason) between 1 and 64),
    Shortcut text check (length(Shortcut) between 1 and 3 and Shortcut not glob '*[^A-Z]*'),
    Deleted integer not null default 0 check (Deleted in (0, 1))
);

-- The commission groups of the assortment: number, name, the commission's
-- value and the day it applies from (a day number). Products name their
-- group in towar.CommissionGroupId.
create table CommissionGroup (
    CommissionGroupId integer primary key check (CommissionGroupId between 1 and 2147483647),
    CommissionNumber integer not null,
    Name text not null,
    CommissionValue real not null,
    DateFrom integer not null
);

-- The companies that receive a group's commission. A group with recipients
-- cannot be deleted (the reference refuses it, whoever deletes).
create table CommissionGroupRecipient (
    CommissionGroupRecipientId integer primary key,
    CommissionGroupId integer not null references CommissionGroup (CommissionGroupId),
    lFirmaRef integer not null references firma (lFirmaRef),
    unique (CommissionGroupId, lFirmaRef)
);

-- towar.CommissionGroupId came before the table and cannot reference it; a
-- group that products still name is kept as a reference would keep it.
create trigger CommissionGroup_named_by_products before delete on CommissionGroup
when exists (select 1 from towar where CommissionGroupId = old.CommissionGroupId)
begin
    select raise(abort, 'Grupy prowizyjnej nie można usunąć: przypisano ją towarom.');
end;

-- Rows written with ids of their own (by support staff) move the pool past them.
create trigger ReturnReason_id_taken after insert on ReturnReason
when new.ReturnReasonId > (select lastRef from RefGenerator)
begin
    update RefGenerator set lastRef = new.ReturnReasonId;
end;
create trigger CommissionGroup_id_taken after insert on CommissionGroup
when new.CommissionGroupId > (select lastRef from RefGenerator)
begin
    update RefGenerator set lastRef = new.CommissionGroupId;
end;
