-- pg_temp.expect(ACTUAL, EXPECTED, WHAT), the check of checks.sql and upgrade.sql: raises
-- "NIEZGODNOŚĆ ..." when the actual value is not the expected one (NULL matches NULL).
create function pg_temp.expect(actual anycompatible, expected anycompatible, what text) returns void
    language plpgsql as $$
begin
    if actual is distinct from expected then
        raise exception 'NIEZGODNOŚĆ: %: jest %, powinno być %', what, coalesce(actual::text, 'NULL'),
            coalesce(expected::text, 'NULL');
    end if;
end $$;
