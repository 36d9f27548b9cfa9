-- The clerks' passwords for signing in to the web host: one per user, kept
-- only as an argon2id hash in libsodium's text form (salt and parameters
-- included), with the time it was set.
create table UserPassword (
    UserId bigint primary key references uzytkownik (luzytkref),
    PasswordHash text collate "C" not null,
    ChangedAt double precision not null
);
