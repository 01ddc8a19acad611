#!/usr/bin/env python3
"""A small SMTP server on 127.0.0.1 for the mail tests.

Every message it accepts becomes one JSON file in FOLDER (written under a temporary name, then
renamed): the envelope (mail_from, rcpt_tos), the decoded From/To/Subject/Date/Message-ID
headers, the plain text body and each attachment's file name and bytes (base64).

    smtp_sink.py FOLDER [--reject ADDRESS ...]

It listens on a free port below the ephemeral range, prints "ready PORT" once it accepts connections and runs until its
standard input is closed. Recipients given with --reject are refused with 550.
"""
import argparse
import base64
import email
import errno
import email.policy
import json
import os
import random
import socket
import sys

from aiosmtpd.controller import Controller


class Sink:
    def __init__(self, folder, rejected):
        self.folder = folder
        self.rejected = {address.lower() for address in rejected}
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.lower() in self.rejected:
            return "550 5.1.1 mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        raw = envelope.original_content or envelope.content
        message = email.message_from_bytes(raw, policy=email.policy.default)
        body = message.get_body(preferencelist=("plain",))
        to = message["to"]
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": list(envelope.rcpt_tos),
            "from": str(message["from"] or ""),
            "to": str(to or ""),
            "to_addresses": [a.addr_spec for a in to.addresses] if to is not None else [],
            "subject": str(message["subject"] or ""),
            "date": str(message["date"] or ""),
            "message_id": str(message["message-id"] or ""),
            "body": body.get_content() if body is not None else "",
            "attachments": [
                {
                    "filename": part.get_filename() or "",
                    "content_type": part.get_content_type(),
                    "data": base64.b64encode(part.get_payload(decode=True) or b"").decode("ascii"),
                }
                for part in message.iter_attachments()
            ],
            "raw": base64.b64encode(raw).decode("ascii"),
        }
        self.count += 1
        name = os.path.join(self.folder, "%03d.json" % self.count)
        with open(name + ".tmp", "w", encoding="utf-8") as out:
            json.dump(record, out, ensure_ascii=False)
        os.replace(name + ".tmp", name)
        return "250 Message accepted"


def free_port():
    # A port below the kernel's ephemeral range (32768 and up): a port the kernel hands out for
    # binding to 0 can be handed out again at once as the local port of another test's connection.
    while True:
        port = random.randrange(20000, 32000)
        with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
            try:
                probe.bind(("127.0.0.1", port))
            except OSError:
                continue
            return port


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--reject", action="append", default=[])
    args = parser.parse_args()
    # The free port may be taken by another test between the probe and the bind: try another one.
    sink = Sink(args.folder, args.reject)
    for attempt in range(20):
        port = free_port()
        controller = Controller(sink, hostname="127.0.0.1", port=port)
        try:
            controller.start()
            break
        except OSError as error:
            if error.errno != errno.EADDRINUSE or attempt == 19:
                raise
    print("ready %d" % port, flush=True)
    try:
        sys.stdin.read()
    finally:
        controller.stop()


if __name__ == "__main__":
    main()
