#!/usr/bin/env python3
"""Reads one mail message with Python's own email package and prints what a
receiving mail program would make of it, as JSON: an independent check of the
message Dravo writes."""
import email
import email.policy
import email.utils
import json
import sys


def addresses(header):
    if header is None:
        return []
    return [[a.display_name, a.addr_spec] for a in header.addresses]


def main():
    raw = open(sys.argv[1], "rb").read()
    # On the wire lines end in CR LF, handed to sendmail in LF; one or the other
    # throughout, and a lone CR nowhere.
    crlf = raw.count(b"\r\n")
    mixed = raw.count(b"\r") != crlf or (crlf > 0 and raw.count(b"\n") != crlf)
    msg = email.message_from_bytes(raw.replace(b"\r\n", b"\n"), policy=email.policy.default)
    defects = [type(d).__name__ for d in msg.defects]
    for part in msg.walk():
        if part is not msg:
            defects += [type(d).__name__ for d in part.defects]
    for name, value in msg.items():
        defects += [type(d).__name__ for d in getattr(value, "defects", ())]
    body_part = msg.get_body(preferencelist=("plain",))
    date = msg["Date"]
    result = {
        "headers": [name for name, _ in msg.items()],
        "from": addresses(msg["From"]),
        "to": addresses(msg["To"]),
        "subject": str(msg["Subject"]) if msg["Subject"] is not None else None,
        "date": email.utils.format_datetime(date.datetime) if date is not None and date.datetime else None,
        "messageId": str(msg["Message-ID"]) if msg["Message-ID"] is not None else None,
        "mimeVersion": str(msg["MIME-Version"]) if msg["MIME-Version"] is not None else None,
        "contentType": msg.get_content_type(),
        "body": body_part.get_content() if body_part is not None else None,
        "bodyCharset": body_part.get_content_charset() if body_part is not None else None,
        "attachments": [
            {"fileName": part.get_filename(), "hex": part.get_payload(decode=True).hex()}
            for part in msg.iter_attachments()
        ],
        "defects": defects,
        "mixedLineEnds": mixed,
        "longestLine": max((len(line) for line in raw.splitlines()), default=0),
    }
    json.dump(result, sys.stdout)


main()
