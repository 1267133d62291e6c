#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The phone of the phone-sync tests: a task app on a CalDAV account, over Debian's python3-caldav.

    phone.py --url URL --user USER --password PASSWORD COMMAND ...

    make-list NAME [--id ID]          creates a task list (VTODO only); prints its collection URL
    tasks LIST_URL                    one line a task, completed ones included, sorted by summary:
                                      uid TAB summary TAB due (yyyy-mm-dd) TAB status TAB categories
                                      (comma-joined); a missing value is "-"
    tick LIST_URL SUMMARY [ISO-TIME]  completes the task as a phone does: STATUS:COMPLETED,
                                      COMPLETED at that time (default now), PERCENT-COMPLETE:100
    delete LIST_URL SUMMARY           deletes the task
    add-foreign LIST_URL SUMMARY [--due yyyy-mm-dd]
                                      adds a task of the phone's own (no Pantrova category); prints its uid

URL, user and password default to RADICALE_URL, RADICALE_USER and RADICALE_PASSWORD.
Exit status: 0 done, 1 no such task or several, or the server refused; 2 wrong usage;
3 the server cannot be reached.
"""

import argparse
import datetime
import os
import sys
import uuid

import caldav
import icalendar
import requests
from caldav.lib import error as caldav_error


class PhoneError(Exception):
    """A failure with a message for the test's log and an exit status."""

    def __init__(self, message, status=1):
        super().__init__(message)
        self.status = status


def one_line(text):
    """A value as a single field of a tab-separated line."""
    text = " ".join(str(text).split())
    return text if text else "-"


def categories_of(component):
    """The task's categories, from one or several CATEGORIES lines."""
    value = component.get("CATEGORIES")
    if value is None:
        return []
    names = []
    for entry in value if isinstance(value, list) else [value]:
        if hasattr(entry, "cats"):
            names.extend(str(name) for name in entry.cats)
        else:
            names.extend(part.strip() for part in str(entry).split(","))
    return [name for name in names if name]


def due_of(component):
    due = component.get("DUE")
    if due is None:
        return "-"
    return due.dt.strftime("%Y-%m-%d")


def summary_of(todo):
    return str(todo.icalendar_component.get("SUMMARY", ""))


def utc_now():
    return datetime.datetime.now(datetime.timezone.utc).replace(microsecond=0)


def parse_time(text):
    """An ISO 8601 time; one without a zone is local time. Returned in UTC."""
    try:
        moment = datetime.datetime.fromisoformat(text)
    except ValueError:
        raise PhoneError(f"not an ISO 8601 time: '{text}' (for example 2026-12-10T08:30:00Z)", 2)
    if moment.tzinfo is None:
        moment = moment.astimezone()
    return moment.astimezone(datetime.timezone.utc)


def task_list(client, url):
    if not url.endswith("/"):
        url += "/"
    return client.calendar(url=url)


def all_tasks(calendar):
    return calendar.todos(include_completed=True)


def the_task(calendar, summary):
    """The one task with exactly this summary."""
    tasks = all_tasks(calendar)
    matches = [todo for todo in tasks if summary_of(todo) == summary]
    if not matches:
        known = ", ".join(sorted(f"'{summary_of(todo)}'" for todo in tasks)) or "none"
        raise PhoneError(f"no task '{summary}' in {calendar.url} (tasks there: {known})")
    if len(matches) > 1:
        raise PhoneError(f"{len(matches)} tasks '{summary}' in {calendar.url}; the phone cannot tell them apart")
    return matches[0]


def set_property(component, name, value):
    """Replaces a property. A UTC time is written as phones write it: 20261210T083000Z."""
    if name in component:
        del component[name]
    if isinstance(value, datetime.datetime):
        component[name] = icalendar.vDatetime(value)
    else:
        component.add(name, value)


def touch(component, now):
    """What every phone app updates when it saves a task."""
    set_property(component, "DTSTAMP", now)
    set_property(component, "LAST-MODIFIED", now)


def make_list(client, args):
    principal = client.principal()
    calendar = principal.make_calendar(
        name=args.name,
        cal_id=args.id or f"tasks-{uuid.uuid4().hex[:12]}",
        supported_calendar_component_set=["VTODO"],
    )
    url = str(calendar.url)
    print(url if url.endswith("/") else url + "/")


def tasks(client, args):
    rows = []
    for todo in all_tasks(task_list(client, args.list_url)):
        component = todo.icalendar_component
        rows.append(
            (
                one_line(component.get("SUMMARY", "")),
                one_line(component.get("UID", "")),
                due_of(component),
                one_line(component.get("STATUS", "")),
                one_line(",".join(categories_of(component))),
            )
        )
    for summary, uid, due, status, categories in sorted(rows):
        print("\t".join((uid, summary, due, status, categories)))


def tick(client, args):
    done_at = parse_time(args.time) if args.time else utc_now()
    todo = the_task(task_list(client, args.list_url), args.summary)
    component = todo.icalendar_component
    # Todo.complete() of python3-caldav 0.11 writes "COMPLETED;TZID=UTC:...Z", which no phone
    # writes (a UTC time takes no TZID); the task is completed here the way phone apps do it.
    set_property(component, "STATUS", "COMPLETED")
    set_property(component, "COMPLETED", done_at)
    set_property(component, "PERCENT-COMPLETE", 100)
    touch(component, utc_now())
    todo.save()


def delete(client, args):
    the_task(task_list(client, args.list_url), args.summary).delete()


def add_foreign(client, args):
    calendar = task_list(client, args.list_url)
    uid = f"phone-{uuid.uuid4()}"
    todo = icalendar.Todo()
    todo.add("UID", uid)
    set_property(todo, "DTSTAMP", utc_now())
    todo.add("SUMMARY", args.summary)
    todo.add("STATUS", "NEEDS-ACTION")
    if args.due:
        try:
            todo.add("DUE", datetime.date.fromisoformat(args.due))
        except ValueError:
            raise PhoneError(f"not a date: '{args.due}' (yyyy-mm-dd)", 2)
    vcalendar = icalendar.Calendar()
    vcalendar.add("PRODID", "-//Pantrova tests//phone//EN")
    vcalendar.add("VERSION", "2.0")
    vcalendar.add_component(todo)
    calendar.save_todo(ical=vcalendar.to_ical().decode("utf-8"), no_overwrite=True)
    print(uid)


def parser():
    result = argparse.ArgumentParser(prog="phone.py", description="A phone's task app on a CalDAV account.")
    result.add_argument("--url", default=os.environ.get("RADICALE_URL"), help="the server's URL")
    result.add_argument("--user", default=os.environ.get("RADICALE_USER"))
    result.add_argument("--password", default=os.environ.get("RADICALE_PASSWORD"))
    commands = result.add_subparsers(dest="command", required=True)

    command = commands.add_parser("make-list", help="create a task list; prints its collection URL")
    command.add_argument("name")
    command.add_argument("--id", help="the collection's last path segment (default: a fresh one)")
    command.set_defaults(run=make_list)

    command = commands.add_parser("tasks", help="list the tasks of a list")
    command.add_argument("list_url")
    command.set_defaults(run=tasks)

    command = commands.add_parser("tick", help="complete a task")
    command.add_argument("list_url")
    command.add_argument("summary")
    command.add_argument("time", nargs="?", help="ISO 8601 completion time (default: now)")
    command.set_defaults(run=tick)

    command = commands.add_parser("delete", help="delete a task")
    command.add_argument("list_url")
    command.add_argument("summary")
    command.set_defaults(run=delete)

    command = commands.add_parser("add-foreign", help="add a task that Pantrova did not create")
    command.add_argument("list_url")
    command.add_argument("summary")
    command.add_argument("--due", help="due date yyyy-mm-dd")
    command.set_defaults(run=add_foreign)
    return result


def main():
    args = parser().parse_args()
    if not args.url or args.user is None or args.password is None:
        print("phone.py: --url, --user and --password (or RADICALE_URL, RADICALE_USER, RADICALE_PASSWORD) are needed",
              file=sys.stderr)
        return 2
    try:
        client = caldav.DAVClient(args.url, username=args.user, password=args.password, timeout=10)
        args.run(client, args)
    except PhoneError as failure:
        print(f"phone.py {args.command}: {failure}", file=sys.stderr)
        return failure.status
    except requests.exceptions.RequestException as failure:
        print(f"phone.py {args.command}: the server {args.url} cannot be reached: {failure}", file=sys.stderr)
        return 3
    except caldav_error.AuthorizationError as failure:
        print(f"phone.py {args.command}: the server refused user '{args.user}': {failure}", file=sys.stderr)
        return 1
    except caldav_error.NotFoundError as failure:
        print(f"phone.py {args.command}: nothing at that address (404): {one_line(failure)}", file=sys.stderr)
        return 1
    except caldav_error.DAVError as failure:
        print(f"phone.py {args.command}: the server refused: {type(failure).__name__}: {one_line(failure)}",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
