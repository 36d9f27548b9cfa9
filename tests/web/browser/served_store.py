"""A store served by `towary serve` in a process of its own on a free loopback
port, made as a clerk's store is made: `towary init`, rows through `towary
sql`, passwords through `towary users password`."""

import os
import re
import shutil
import signal
import subprocess
import tempfile


class ServedStore:
    def __init__(self, towary, statements, passwords):
        self._towary = towary
        # The store's folder, beside which a test writes the files it hands to a page.
        self.scratch = tempfile.mkdtemp(prefix="towary-browser-")
        self._store = os.path.join(self.scratch, "sklep")
        try:
            self._run("init", self._store)
            for statement in statements:
                self.sql(statement)
            for user, password in passwords.items():
                self._run("users", "password", self._store, user, stdin=password + "\n")
            # Standard error goes to a file, so that the server never blocks on a full pipe.
            self._errors = open(os.path.join(self.scratch, "serve.err"), "w+", encoding="utf-8")
            self._process = subprocess.Popen([self._towary, "serve", self._store, "--listen", "127.0.0.1:0"],
                                             stdout=subprocess.PIPE, stderr=self._errors, text=True)
            started = self._process.stdout.readline()
            found = re.search(r"(http://127\.0\.0\.1:\d+)/$", started.strip())
            if not found:
                self._process.kill()
                self._process.wait()
                raise RuntimeError("the server did not start: " + started + self._error_text())
            self.url = found.group(1)
        except BaseException:
            shutil.rmtree(self.scratch, ignore_errors=True)
            raise

    def _run(self, *args, stdin=None):
        done = subprocess.run([self._towary, *args], input=stdin, capture_output=True, text=True)
        if done.returncode != 0:
            raise RuntimeError(f"towary {args[0]} failed ({done.returncode}): {done.stderr}")
        return done.stdout

    def sql(self, statement):
        """What `towary sql` prints for the statement on the served store, beside the server."""
        return self._run("sql", self._store, statement)

    def _error_text(self):
        self._errors.seek(0)
        return self._errors.read()

    def stop(self):
        """Ends the server as a service manager does; gives its exit code and standard error."""
        self._process.send_signal(signal.SIGTERM)
        code = self._process.wait(timeout=60)
        self._process.stdout.close()
        errors = self._error_text()
        self._errors.close()
        shutil.rmtree(self.scratch, ignore_errors=True)
        return code, errors
