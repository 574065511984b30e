"""Writes data/CalConfig.cfg: the calendar program's shipped settings, whose
first special-day set ("기념일 모음 1[기본]") holds the public holidays of
the Republic of Korea as holiday entries. A user without a settings file of
their own starts from it, and resetting the settings comes back to it.

The days come from the pinned npm package date-holidays (data/holidays.json,
country KR). Only rules that hold every year are taken: a rule limited to a
span of years ("since 2026", "prior to 2026") cannot be written as an
every-year entry and is listed as left out, and substitute days are not
computed by the calendar. The names are the program's, those of the
government offices' holiday regulation, looked up by the package's rule.
"""
import json
import re

import common

DATE_HOLIDAYS = "3.37.0"

# The package's rule -> the name the calendar shows.
NAMES = {
    "01-01": "신정",
    "korean 01-0-01 P3D": "설날",
    "03-01": "삼일절",
    "05-05": "어린이날",
    "korean 4-0-8": "부처님 오신 날",
    "06-06": "현충일",
    "08-15": "광복절",
    "korean 8-0-14 P3D": "추석",
    "10-03": "개천절",
    "10-09": "한글날",
    "12-25": "기독탄신일",
}

HOLIDAY_KIND = 1
EVERY_YEAR = -10000
SOLAR = re.compile(r"^(\d\d)-(\d\d)$")
LUNAR = re.compile(r"^korean (\d+)-0-(\d+)(?: P(\d)D)?$")


def number(value):
    """The settings file's number text: a leading blank when not negative."""
    return f"{value}" if value < 0 else f" {value}"


def entry_text(month, day, lunar, name):
    fields = [number(EVERY_YEAR), number(month), number(day), "T" if lunar else "F", "F", name,
              number(HOLIDAY_KIND)]
    return " :; ".join(fields)


def days_of(rule):
    """(month, day, lunar) of every day a rule names."""
    solar = SOLAR.match(rule)
    if solar:
        return [(int(solar.group(1)), int(solar.group(2)), False)]
    lunar = LUNAR.match(rule)
    if not lunar:
        raise SystemExit(f"date-holidays KR: unknown rule {rule!r}")
    month, day, span = int(lunar.group(1)), int(lunar.group(2)), int(lunar.group(3) or 1)
    if (month, day, span) == (1, 1, 3):
        # The package anchors the three days of 설날 on the day itself (its
        # own KR.yaml says so); they are the day before, the day and the day
        # after. The day before lunar 1/1 is the last day of month 12, 29 or
        # 30, which the calendar computes itself as 제석, a holiday.
        return [(1, 1, True), (1, 2, True)]
    if day + span - 1 > 29:
        raise SystemExit(f"date-holidays KR: {rule!r} runs past day 29 of a lunar month")
    return [(month, day + k, True) for k in range(span)]


def main():
    package = common.npm_package("date-holidays", DATE_HOLIDAYS)
    days = json.loads((package / "data" / "holidays.json").read_text(encoding="utf-8"))["holidays"]["KR"]["days"]
    entries = []
    left_out = []
    for rule, holiday in days.items():
        if rule.startswith("substitutes") or holiday.get("substitute"):
            continue
        if holiday.get("type", "public") != "public" or re.search(r"\b(since|prior to) \d{4}", rule):
            left_out.append(rule)
            continue
        if rule not in NAMES:
            raise SystemExit(f"date-holidays KR: no program name for the rule {rule!r}")
        for month, day, lunar in days_of(rule):
            entries.append(entry_text(month, day, lunar, NAMES[rule]))
    missing = set(NAMES) - {rule for rule in days}
    if missing:
        raise SystemExit(f"date-holidays KR: rules not found: {sorted(missing)}")

    lines = [f"[SD{slot}]{text}[/SD{slot}]\r\n" for slot, text in enumerate(entries)]
    common.write_cp949("CalConfig.cfg", "".join(lines) + "\r\n")
    print(f"wrote data/CalConfig.cfg: {len(entries)} holiday entries in set 1")
    for rule in left_out:
        print(f"  left out (not every year): {rule}")


if __name__ == "__main__":
    main()
