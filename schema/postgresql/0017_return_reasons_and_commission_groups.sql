-- The reasons a customer may give for a return, which the tills offer: the
-- text (1 to 64 characters), an optional shortcut of up to three capitals
-- A-Z, and the deleted mark (a reason is never removed, only marked). The
-- return-reason window keeps the texts unique without regard to case and the
-- shortcuts unique, under the lock it holds while open; the table holds no
-- unique index, as a save that swaps two texts passes through a moment where
-- both rows hold one. Ids come from the store's pool and fit an int.
create table ReturnReason (
    ReturnReasonId bigint primary key check (ReturnReasonId between 1 and 2147483647),
    ReturnReason text collate "C" not null check (length(ReturnReason) between 1 and 64),
    Shortcut text collate "C" check (length(Shortcut) between 1 and 3 and Shortcut !~ '[^A-Z]'),
    Deleted bigint not null default 0 check (Deleted in (0, 1))
);

-- The commission groups of the assortment: number, name, the commission's
-- value and the day it applies from (a day number). Products name their
-- group in towar.CommissionGroupId.
create table CommissionGroup (
    CommissionGroupId bigint primary key check (CommissionGroupId between 1 and 2147483647),
    CommissionNumber bigint not null,
    Name text collate "C" not null,
    CommissionValue double precision not null,
    DateFrom double precision not null
);

-- The companies that receive a group's commission. A group with recipients
-- cannot be deleted (the reference refuses it, whoever deletes).
create table CommissionGroupRecipient (
    CommissionGroupRecipientId bigint primary key,
    CommissionGroupId bigint not null references CommissionGroup (CommissionGroupId),
    lFirmaRef bigint not null references firma (lFirmaRef),
    unique (CommissionGroupId, lFirmaRef)
);

-- towar.CommissionGroupId came before the table and cannot reference it; a
-- group that products still name is kept as a reference would keep it.
create function CommissionGroup_named_by_products() returns trigger language plpgsql as $$
begin
    if exists (select 1 from towar where CommissionGroupId = old.CommissionGroupId) then
        raise exception 'Grupy prowizyjnej nie można usunąć: przypisano ją towarom.';
    end if;
    return old;
end $$;
create trigger CommissionGroup_named_by_products before delete on CommissionGroup
    for each row execute function CommissionGroup_named_by_products();

-- Rows written with ids of their own (by support staff) move the pool past them.
create function ReturnReason_id_taken() returns trigger language plpgsql as $$
begin
    perform reserverefs(new.ReturnReasonId);
    return null;
end $$;
create trigger ReturnReason_id_taken after insert on ReturnReason
    for each row execute function ReturnReason_id_taken();

create function CommissionGroup_id_taken() returns trigger language plpgsql as $$
begin
    perform reserverefs(new.CommissionGroupId);
    return null;
end $$;
create trigger CommissionGroup_id_taken after insert on CommissionGroup
    for each row execute function CommissionGroup_id_taken();
