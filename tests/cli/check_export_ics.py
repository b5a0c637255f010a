#!/usr/bin/python3
"""Runs the real orvella-cli export-ics and reads what it writes with a real iCalendar
parser (python3-icalendar), comparing the events, their recurrence and their alarms.
Exits 77 (skipped) when the parser is not installed.

usage: check_export_ics.py CLI SETTINGS_WITH_ALARMS WORK_FOLDER
"""
import datetime as dt
import json
import os
import shutil
import subprocess
import sys

try:
    import icalendar
    from dateutil.rrule import rrulestr
except ImportError:
    print("python3-icalendar is not installed: skipped")
    sys.exit(77)

CLI, SETTINGS, WORK = sys.argv[1:4]
failures = []


def check(cond, what):
    if not cond:
        failures.append(what)
        print("FAIL:", what)


def run(*args, env=None, code=0):
    p = subprocess.run([CLI, *args], capture_output=True, env=env)
    check(p.returncode == code, f"{args}: exit {p.returncode}, stderr {p.stderr.decode()}")
    return p


def write(path, doc):
    p = subprocess.run([CLI, "write", path], input=json.dumps(doc).encode(), capture_output=True)
    if p.returncode != 0:
        sys.exit(f"cannot write {path}: {p.stderr.decode()}")


def frame(start, duration, item, color="#FF0000", memo=None):
    return {"start": start, "duration": duration, "item": item, "color": color, "memo": memo}


def parse(path):
    raw = open(path, "rb").read()
    for line in raw.split(b"\r\n")[:-1]:
        check(len(line) <= 75 and b"\n" not in line, f"{path}: bad physical line {line!r}")
    check(raw.endswith(b"\r\n"), f"{path}: no CRLF at the end")
    return icalendar.Calendar.from_ical(raw)


def events(cal):
    return sorted(cal.walk("VEVENT"), key=lambda e: (e.decoded("dtstart"), str(e["summary"])))


def triggers(event):
    out = []
    for alarm in event.walk("VALARM"):
        check(str(alarm["action"]) == "DISPLAY", "alarm action")
        check(alarm["trigger"].params.get("RELATED") == "END", "alarm relative to the end")
        out.append(alarm.decoded("trigger"))
    return sorted(out)


def minutes(*ms):
    return sorted(dt.timedelta(minutes=-m) for m in ms)


shutil.rmtree(WORK, ignore_errors=True)
os.makedirs(WORK)
memo = "議題: 予算, 人員; 次回\\未定\n" + "長いメモ" * 30
write(f"{WORK}/weekday.ors", {"kind": "schedule", "title": "平日", "frames": [
    frame("09:00:00", "08:00:00", "仕事", "#0000FF", memo),
    frame("23:30:00", "01:00:00", "夜更かし", "#FFFFFF"),
    frame("12:00:00", "00:08:00", "昼寝", "#00FF00"),
]})
write(f"{WORK}/saturday.ors", {"kind": "schedule", "title": "", "frames": [
    frame("24:00:00", "01:00:00", "深夜"),
]})
# Relative day paths are taken from the week file's folder.
write(f"{WORK}/plan.orw", {"kind": "week", "days": [
    None, "weekday.ors", None, f"{WORK}/weekday.ors", None, None, "saturday.ors"]})

# A week: Monday and Wednesday from one day file, Saturday's midnight frame on Sunday.
out = f"{WORK}/week.ics"
run("export-ics", f"{WORK}/plan.orw", "--date", "2026-12-09", "--weeks", "3", "--settings", SETTINGS, "-o", out)
cal = parse(out)
check(str(cal["version"]) == "2.0", "VERSION")
evs = events(cal)
check(len(evs) == 7, f"7 events, got {len(evs)}")
expected = {  # first start -> (summary, end, weekday of every occurrence, reminder minutes)
    dt.datetime(2026, 12, 7, 9, 0): ("仕事", dt.datetime(2026, 12, 7, 17, 0), 0, (0, 5, 10, 15)),
    dt.datetime(2026, 12, 7, 12, 0): ("昼寝", dt.datetime(2026, 12, 7, 12, 8), 0, (0, 5)),
    dt.datetime(2026, 12, 7, 23, 30): ("夜更かし", dt.datetime(2026, 12, 8, 0, 30), 0, (0, 5, 10, 15)),
    dt.datetime(2026, 12, 9, 9, 0): ("仕事", dt.datetime(2026, 12, 9, 17, 0), 2, (0, 5, 10, 15)),
    dt.datetime(2026, 12, 9, 12, 0): ("昼寝", dt.datetime(2026, 12, 9, 12, 8), 2, (0, 5)),
    dt.datetime(2026, 12, 9, 23, 30): ("夜更かし", dt.datetime(2026, 12, 10, 0, 30), 2, (0, 5, 10, 15)),
    dt.datetime(2026, 12, 13, 0, 0): ("深夜", dt.datetime(2026, 12, 13, 1, 0), 6, (0, 5, 10, 15)),
}
uids = set()
for e in evs:
    start = e.decoded("dtstart")
    check(start.tzinfo is None, "floating local time")
    want = expected.get(start)
    check(want is not None, f"unexpected event at {start}")
    if want is None:
        continue
    summary, end, weekday, ms = want
    check(str(e["summary"]) == summary, f"summary at {start}: {e['summary']}")
    check(e.decoded("dtend") == end, f"end at {start}: {e.decoded('dtend')}")
    rule = e["rrule"]
    check(rule["FREQ"] == ["WEEKLY"] and rule["COUNT"] == [3], f"rule at {start}: {rule}")
    occurrences = list(rrulestr(rule.to_ical().decode(), dtstart=start))
    check(len(occurrences) == 3, f"3 occurrences at {start}")
    check(all(o.weekday() == weekday and o.time() == start.time() for o in occurrences),
          f"occurrences of {start}: {occurrences}")
    check(occurrences[-1] - occurrences[0] == dt.timedelta(weeks=2), "weekly")
    check(triggers(e) == minutes(*ms), f"alarms at {start}: {triggers(e)}")
    uids.add(str(e["uid"]))
check(len(uids) == 7, "distinct UIDs")
memo_events = [e for e in evs if str(e["summary"]) == "仕事"]
check(all(str(e["description"]) == memo for e in memo_events), "memo comes back unchanged")
check(all(str(e["color"]) == "blue" for e in memo_events), "colour")

# Exported again later: the same UIDs, so a calendar updates its events.
again = f"{WORK}/again.ics"
run("export-ics", f"{WORK}/plan.orw", "--date", "2026-12-12", "--settings", SETTINGS, "-o", again)
cal2 = parse(again)
check({str(e["uid"]) for e in cal2.walk("VEVENT")} == uids, "UIDs stable across exports")
check(all("COUNT" not in e["rrule"] for e in cal2.walk("VEVENT")), "no end without --weeks")

# A day, to standard output; the user's own settings file by default, none when missing.
home = f"{WORK}/home"
env = dict(os.environ, HOME=home, XDG_DATA_HOME=f"{home}/data")
p = run("export-ics", f"{WORK}/weekday.ors", "--date", "2026-02-28", env=env)
day = icalendar.Calendar.from_ical(p.stdout)
starts = sorted(e.decoded("dtstart") for e in day.walk("VEVENT"))
check(starts == [dt.datetime(2026, 2, 28, h, m) for h, m in ((9, 0), (12, 0), (23, 30))], f"day: {starts}")
check(not any(e.walk("VALARM") for e in day.walk("VEVENT")), "no settings file, no alarms")
check(all("rrule" not in e for e in day.walk("VEVENT")), "a day does not repeat")
late = [e for e in day.walk("VEVENT") if str(e["summary"]) == "夜更かし"][0]
check(late.decoded("dtend") == dt.datetime(2026, 3, 1, 0, 30), "across midnight into March")
os.makedirs(f"{home}/data/Tolvarin/Orvella")
shutil.copy(SETTINGS, f"{home}/data/Tolvarin/Orvella/OrvellaEnv.ore")
p = run("export-ics", f"{WORK}/weekday.ors", "--date", "2026-02-28", env=env)
day = icalendar.Calendar.from_ical(p.stdout)
check(all(triggers(e) for e in day.walk("VEVENT")), "the user's settings give alarms")

run("export-ics", f"{WORK}/weekday.ors", "--weeks", "2", code=2)
run("export-ics", f"{WORK}/missing.orw", code=1)
sys.exit(1 if failures else 0)
