"""The back office in a real browser: headless Chromium, through chromedriver,
drives the pages of `towary serve` over a hand-made store as a clerk would.

    /usr/bin/python3 browser_test.py PATH/TO/towary [unittest options]
"""

import datetime
import os
import sys
import unittest

from selenium import webdriver
from selenium.common.exceptions import NoAlertPresentException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

from served_store import ServedStore

# Today as the store counts days: whole days since 1899-12-30.
TODAY = (datetime.date.today() - datetime.date(1899, 12, 30)).days
ADMIN_PASSWORD = "hasło administratora"
HOSTILE_NAME = "<script>alert(1)</script>\"'><img src=x onerror=alert(2)>"
STORE_ROWS = [
    "insert into towar (lTowarRef, sNazwa, sGrIndex, byCode) values (100, 'Nabiał', '01', 1), "
    "(200, 'Chemia', '02', 1)",
    "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, bWieleCen, byVAT, dCenaSprzed, "
    "nStatusAktywnosci) values (1, 'Mleko łaciate', '01', '000123', 6, 0, 1, 3.49, 1), "
    "(2, 'Mleko owsiane', '01', '000124', 6, 0, 1, 8.99, 1), (3, 'Płyn do naczyń', '02', '000200', 6, 0, 1, 6.50, 1), "
    "(4, '" + HOSTILE_NAME.replace("'", "''") + "', '02', '000201', 6, 0, 1, 1.00, 1)",
    "insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (10, '5901234123457', 1, 1), "
    "(11, '5900000000017', 3, 1)",
    # A promotion of the milk from ten days ago to five days ago, for the price chart.
    "insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed) values "
    f"(1, 1, {TODAY - 10}, {TODAY - 5}, 2.99)",
    # A commission group a bakery receives commission of, which cannot be deleted.
    "insert into CommissionGroup (CommissionGroupId, CommissionNumber, Name, CommissionValue, DateFrom) values "
    "(1, 10, 'Nabiał', 2.5, 45000), (2, 30, 'Pieczywo', 1.25, 45000)",
    "insert into firma (lFirmaRef, sNazwa) values (5, 'Piekarnia')",
    "insert into CommissionGroupRecipient (CommissionGroupRecipientId, CommissionGroupId, lFirmaRef) values (1, 2, 5)",
]

store = None
browser = None


def start_browser():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--window-size=1366,768", "--disable-dev-shm-usage"):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def setUpModule():
    global store, browser
    store = ServedStore(TOWARY, STORE_ROWS, {"1": ADMIN_PASSWORD})
    try:
        browser = start_browser()
    except BaseException:
        store.stop()
        raise


def tearDownModule():
    browser.quit()
    code, errors = store.stop()
    if code != 0:
        raise AssertionError(f"the server ended with {code}: {errors}")


class BrowserCase(unittest.TestCase):
    """Each case starts signed out, on a browser the module shares; `on` names another browser."""

    def setUp(self):
        browser.get(store.url + "/logowanie.html")
        browser.delete_all_cookies()

    def wait_until(self, condition, what, on=None):
        """The condition's first truthy value, waited for."""
        return WebDriverWait(on or browser, 20).until(lambda _: condition(), what)

    def open(self, path, ready=None, on=None):
        """Opens the page and, given the id of a button, waits until the page enables it."""
        (on or browser).get(store.url + path)
        if ready:
            self.wait_until(lambda: self.by_id(ready, on).is_enabled(), f"the page {path}", on)

    def by_id(self, element_id, on=None):
        return (on or browser).find_element(By.ID, element_id)

    def text_of(self, element_id):
        """The element's text, once it has one."""
        return self.wait_until(lambda: self.by_id(element_id).text, f"the text of #{element_id}")

    def wait_for_text(self, element_id, text):
        """Waits until the element's text holds the text."""
        self.wait_until(lambda: text in self.by_id(element_id).text, f"{text!r} in #{element_id}")

    def path(self, on=None):
        return (on or browser).execute_script("return location.pathname")

    def sign_in(self, password=ADMIN_PASSWORD, on=None):
        self.open("/logowanie.html", on=on)
        self.by_id("user", on).send_keys("1")
        self.by_id("password", on).send_keys(password)
        self.by_id("sign-in-button", on).click()

    def signed_in_on(self, path, ready=None, on=None):
        self.sign_in(on=on)
        self.wait_until(lambda: self.path(on) == "/", "the search page after sign-in", on)
        self.open(path, ready, on)

    def press(self, section, caption):
        """Presses the button of the section's pending question that carries the caption."""
        self.wait_until(lambda: [found for found in browser.find_elements(By.CSS_SELECTOR, f"#{section} .question button")
                                 if found.text == caption], f"the button {caption}")[0].click()

    def job_result(self, section):
        """The result the job of the section ends with."""
        return self.wait_until(lambda: browser.find_element(By.CSS_SELECTOR, f"#{section} .result").text,
                               f"the end of {section}")

    def scratch_file(self, name, text):
        """A file of the name and text beside the store, for a page's file field; its path."""
        path = os.path.join(store.scratch, name)
        with open(path, "w", encoding="utf-8") as file:
            file.write(text)
        return path

    def rows_once(self, selector, count):
        """The table's rows, as table_rows gives them, once there are that many."""
        return self.wait_until(lambda: rows if len(rows := self.table_rows(selector)) == count else None,
                               f"{count} rows in {selector}")

    def table_rows(self, selector):
        """The cells' texts of the table's body rows (a list's chosen item), read at once, as a page may redraw it."""
        return browser.execute_script(
            "return [...document.querySelectorAll(arguments[0] + ' tbody tr')].map((row) => [...row.cells].map("
            "(cell) => cell.querySelector('select') ? cell.querySelector('select').selectedOptions[0].text"
            " : cell.innerText.trim()));", selector)


class SearchAndCard(BrowserCase):
    def search(self, identifier):
        """The rows the search page shows for the identifier typed into its field."""
        self.open("/")
        self.by_id("identifier").send_keys(identifier)
        self.by_id("find").click()
        self.text_of("message")
        return self.table_rows("#results")

    def card_title(self):
        self.wait_until(lambda: self.by_id("card").is_displayed(), "the card")
        return self.by_id("card-title").text

    def test_a_page_sends_to_sign_in_which_takes_the_right_password_and_then_search_finds_by_code_index_and_name(self):
        self.open("/")
        self.assertEqual(self.path(), "/logowanie.html")
        self.sign_in("złe hasło")
        self.assertEqual(self.text_of("message"), "Nieprawidłowy użytkownik albo hasło.")
        self.sign_in()
        clerk = self.wait_until(lambda: browser.find_elements(By.CSS_SELECTOR, "#top-bar .clerk"), "the top bar")[0]
        self.assertEqual(self.path(), "/")
        self.assertEqual(clerk.text, "Administrator (1)")
        self.assertEqual(self.search("5901234123457"), [["1", "000123", "Mleko łaciate", "5901234123457"]])
        self.assertEqual(self.search("kefir"), [])
        self.assertEqual(self.by_id("message").text, 'Nie znaleziono towaru dla identyfikatora "kefir".')

    def test_a_name_with_markup_is_shown_as_its_characters_in_the_results_and_on_the_card(self):
        self.signed_in_on("/")
        self.assertEqual(self.search("/000201"), [["4", "000201", HOSTILE_NAME, "brak"]])
        self.open("/towar.html?id=4")
        self.assertEqual(self.card_title(), "Karta towaru: " + HOSTILE_NAME)
        self.assertEqual(browser.find_elements(By.CSS_SELECTOR, "main script, main img"), [])
        with self.assertRaises(NoAlertPresentException):
            browser.switch_to.alert.text

    def test_the_card_charts_the_price_of_each_of_90_days(self):
        self.signed_in_on("/towar.html?id=1")
        self.assertEqual(self.card_title(), "Karta towaru: Mleko łaciate")
        prices = self.wait_until(lambda: browser.execute_script(
            "const chart = Chart.getChart(document.getElementById('price-history-chart'));"
            "return chart && chart.data.datasets[0].data;"), "the price chart")
        self.assertEqual(len(prices), 90)
        self.assertEqual(prices.count(2.99), 6)
        self.assertEqual(set(prices), {2.99, 3.49})


class StatusChangePlanning(BrowserCase):
    def enter_date(self, days_from_today):
        """Sets the day that many days from today; gives it."""
        # Typed, a date field takes the order of the browser's locale, which headless Chromium on Linux fixes at
        # en-US; the value is set as the field sets it, with the event it sends.
        day = (datetime.date.today() + datetime.timedelta(days=days_from_today)).isoformat()
        browser.execute_script("arguments[0].value = arguments[1];"
                               "arguments[0].dispatchEvent(new Event('change', {bubbles: true}));",
                               self.by_id("add-date"), day)
        return day

    def test_a_change_planned_for_a_past_day_is_refused_and_for_a_later_one_saved(self):
        self.signed_in_on("/statusy.html")
        self.wait_until(lambda: browser.find_elements(By.CSS_SELECTOR, "#status-grid thead th"), "the grid")
        self.by_id("add").click()
        self.by_id("add-product").send_keys("5901234123457" + Keys.ENTER)
        self.assertEqual(self.text_of("add-chosen"), "Wybrano: Mleko łaciate (ID 1, indeks 000123)")
        self.enter_date(-1)
        self.by_id("add-confirm").click()
        self.assertEqual(self.text_of("add-message"), "Nie można ustawić daty z przeszłości")

        planned = self.enter_date(3)
        self.by_id("add-confirm").click()
        Select(browser.find_element(By.CSS_SELECTOR, "#status-grid .status-choice")).select_by_visible_text("Wycofany")
        self.by_id("save").click()
        self.wait_until(lambda: self.by_id("message").text == "Zapisano.", "the save")

        # F5 is the window's key: it reads the window again from the server.
        browser.execute_script("document.getElementById('status-grid').tBodies[0].replaceChildren()")
        ActionChains(browser).send_keys(Keys.F5).perform()
        self.wait_until(lambda: self.table_rows("#status-grid"), "the grid read again")
        self.assertEqual([row[:5] for row in self.table_rows("#status-grid")],
                         [["000123", "Mleko łaciate", "Wycofany", planned, "nie"]])

        self.by_id("sign-out").click()
        self.wait_until(lambda: self.path() == "/logowanie.html", "the sign-in page")
        self.open("/statusy.html")
        self.assertEqual(self.path(), "/logowanie.html")


class ServiceJobs(BrowserCase):
    def test_a_plu_check_shows_its_report_asks_and_corrects_the_codes_when_told_to(self):
        store.sql("insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (12, '0017', 3, 1)")
        self.signed_in_on("/serwis.html", ready="plu-start")
        self.by_id("plu-start").click()
        rows = self.wait_until(lambda: self.table_rows("#report-table"), "the report")
        self.assertIn(["do poprawienia", "0017", "17", "Płyn do naczyń", "000200", ""], rows)
        # The report sorts by a column: by code, the corrected code before the one that is no code.
        browser.find_element(By.XPATH, "//table[@id='report-table']//th[text()='Kod']").click()
        self.assertEqual([row[1] for row in self.table_rows("#report-table")], sorted(row[1] for row in rows))
        self.press("plu-check", "OK")
        self.wait_for_text("plu-check", "Czy chcesz usunąć lub poprawić wszystkie błędne kody ?")
        self.press("plu-check", "Tak")
        self.assertEqual(self.job_result("plu-check"), "Zakończono.")

    def test_the_evening_run_shows_its_steps_and_its_log(self):
        self.signed_in_on("/serwis.html")
        day = self.by_id("evening-day")
        self.wait_until(lambda: day.get_attribute("value"), "the day of today")
        browser.execute_script("arguments[0].value = '2011-01-03'", day)
        self.by_id("evening-start").click()
        self.job_result("evening")
        steps = self.table_rows("#evening-steps")
        self.assertEqual(steps[0][:4], ["1/5", "{0A9C7BD6-2D5C-4FAC-85EE-03BEA0E1C429}", "zakończony", "wykonany"])
        self.assertEqual(len(steps), 5)
        self.wait_until(lambda: Select(self.by_id("log-day")).first_selected_option.text == "2011-01-03", "the log")
        self.wait_for_text("log-text", "Odczyt wieczorny, dzień 2011-01-03")

    def test_an_import_with_a_bad_row_ends_naming_its_line(self):
        self.signed_in_on("/serwis.html", ready="import-start")
        self.by_id("import-file").send_keys(
            self.scratch_file("zly.csv", "sNazwa,sGrIndex,byVAT\nSer żółty,01,1\nSer biały,01,x\n"))
        self.by_id("import-start").click()
        self.assertEqual(self.job_result("products-import"),
                         'Nie zakończono: zly.csv, wiersz 3: kolumna byVAT: "x" nie jest liczbą całkowitą')


class VatPage(BrowserCase):
    def test_the_plan_asks_in_the_page_and_its_changes_are_listed(self):
        # The milk has a change of its own planned, to 23%, which only the overwrite replaces.
        store.sql("insert into zmianavat (lzmianavatref, ltowarref, ddata, byvat, bapplied) values (900, 1, 40544, 13, 0)")
        self.addCleanup(store.sql, "delete from zmianavat")
        self.signed_in_on("/vat.html")
        self.assertEqual(self.rows_once("#pending-table", 1)[0][3:], ["2011-01-01", "1 (0% do 2010)", "13 (23%)"])
        self.by_id("plan-start").click()
        self.wait_for_text("vat-plan", "Zaplanować zmiany stawek VAT?")
        overwrite = browser.find_element(By.XPATH, "//section[@id='vat-plan']//label["
                                                   "contains(., 'Nadpisz zaplanowane wcześniej zmiany stawek')]/input")
        self.assertFalse(overwrite.is_selected())
        overwrite.send_keys(Keys.SPACE)
        # Then the overwrite's own question, whose text the server test reads (tests/web/JobsTest).
        self.press("vat-plan", "Tak")
        self.wait_for_text("vat-plan", "Czy na pewno chcesz usunąć")
        self.press("vat-plan", "Tak")
        self.assertEqual(self.job_result("vat-plan"), "Zakończono.")
        self.assertEqual([row[5] for row in self.rows_once("#pending-table", 4)], ["9 (5%)"] * 4)


class DictionaryWindows(BrowserCase):
    def message(self, on=None):
        return self.by_id("message", on).get_attribute("textContent")

    def wait_for_message(self, text):
        self.wait_until(lambda: self.message() == text, f"the message {text!r}")

    def reasons(self, on=None):
        """Each reason row's text, shortcut and whether it is marked deleted."""
        return (on or browser).execute_script(
            "return [...document.querySelectorAll('#reason-grid tbody tr')].map((row) => "
            "[...row.querySelectorAll('input')].map((cell) => cell.value).concat([row.classList.contains('deleted')]))")

    def cell(self, row, column):
        return browser.find_elements(By.CSS_SELECTOR, "#reason-grid tbody tr")[row].find_elements(
            By.TAG_NAME, "input")[column]

    def type_into(self, row, column, text):
        """Types the text into the reason grid's cell in place of what it holds, and leaves the cell."""
        self.cell(row, column).clear()
        self.cell(row, column).send_keys(text + Keys.TAB)

    def answer(self, question, button):
        dialog = self.wait_until(lambda: browser.find_elements(By.ID, "module-question"), "the module's question")[0]
        self.assertEqual(dialog.find_element(By.TAG_NAME, "p").get_attribute("textContent"), question)
        next(found for found in dialog.find_elements(By.TAG_NAME, "button") if found.text == button).click()

    def add_reason(self, text):
        count = len(self.reasons())
        ActionChains(browser).send_keys(Keys.INSERT).perform()
        self.wait_until(lambda: len(self.reasons()) == count + 1, "the new row")
        self.type_into(count, 0, text)

    def test_a_clerk_edits_the_reasons_in_the_window_he_holds_and_no_other_clerk_meanwhile(self):
        self.signed_in_on("/powody.html", ready="save")
        self.add_reason("Uszkodzony")
        self.type_into(0, 1, "usz")
        # The refusals' texts are the window's (tests/ui); the page shows them.
        self.assertIn("Niepoprawny format skrótu.", self.wait_until(self.message, "the shortcut's refusal"))
        self.type_into(0, 1, "USZ")
        self.add_reason("Zła jakość")

        self.cell(0, 0).click()
        self.by_id("remove").click()
        self.answer("Czy na pewno chcesz usunąć powód zwrotu 'Uszkodzony'?", "Tak")
        self.wait_until(lambda: self.reasons()[0][2], "the reason marked deleted")
        self.by_id("restore").click()
        self.wait_until(lambda: not self.reasons()[0][2], "the reason restored")
        self.by_id("remove").click()
        self.answer("Czy na pewno chcesz usunąć powód zwrotu 'Uszkodzony'?", "Tak")
        self.by_id("save").click()
        self.wait_for_message("Zapisano.")

        # Reloaded, the page gives its window back and reads the list again, as the store saved it.
        self.open("/powody.html", ready="save")
        self.assertEqual(self.reasons(), [["Uszkodzony", "USZ", True], ["Zła jakość", "", False]])

        second = start_browser()
        try:
            self.signed_in_on("/powody.html", on=second)
            self.assertIn("Powodów zwrotów nie można teraz edytować",
                          self.wait_until(lambda: self.message(second), "the refusal", second))
            self.open("/")
            self.by_id("open-again", second).click()
            self.wait_until(lambda: len(self.reasons(second)) == 2, "the window in the second browser", second)
        finally:
            second.quit()

    def test_a_commission_group_with_recipients_is_not_deleted(self):
        self.signed_in_on("/prowizje.html")
        self.assertEqual(self.rows_once("#group-grid", 2)[1], ["30", "Pieczywo", "1.25", "2023-03-15"])
        browser.find_elements(By.CSS_SELECTOR, "#group-grid tbody tr")[1].click()
        ActionChains(browser).send_keys(Keys.DELETE).perform()
        self.answer("Czy na pewno chcesz usunąć grupę 'Pieczywo'?", "Tak")
        self.wait_for_message("Istnieją odbiorcy powiązani z grupą prowizyjną!\n\nUsunięcie nie powiodło się.")


class OrderVariant(BrowserCase):
    VARIANTS = ("<variants><variant><supplierIndex>HB-1200</supplierIndex><netPurchasePrice>12.5</netPurchasePrice>"
                "<catalogNetPurchasePrice>14</catalogNetPurchasePrice><purchaseMeasureUnit>kar</purchaseMeasureUnit>"
                "<purchaseMeasureUnitRate>12</purchaseMeasureUnitRate></variant></variants>")

    def test_the_variant_chosen_from_the_keyboard_fills_the_position(self):
        self.signed_in_on("/zamowienie.html", ready="variant-start")
        self.by_id("variant-file").send_keys(self.scratch_file("warianty.xml", self.VARIANTS))
        self.by_id("variant-start").click()
        # A refused variant's row is the command's (tests/towary/OrderCommandTest); the page draws the grid's rows.
        self.assertEqual(self.wait_until(lambda: self.table_rows("#grid-table"), "the grid")[0][0], "HB-1200")
        choose = browser.find_element(By.XPATH, "//section[@id='order-variant']//button[text()='Wybierz']")
        choose.click()
        self.wait_for_text("order-variant", "Wybierz wiersz tabeli.")
        browser.find_elements(By.CSS_SELECTOR, "#grid-table tbody tr")[0].send_keys(Keys.ENTER)
        choose.click()
        self.assertEqual(self.job_result("order-variant"), "Zakończono.")
        # The position's fields are the command's (tests/towary/OrderCommandTest); the page shows its output.
        self.assertIn("Pozycja zamówienia z wariantu 1:",
                      self.by_id("order-variant").find_element(By.CSS_SELECTOR, ".lines pre").text)


if __name__ == "__main__":
    TOWARY = sys.argv.pop(1)
    unittest.main()
