#!/usr/bin/env python3
"""A one-message SMTP server on loopback for the mail tests. Prints the port it
listens on, takes one session, writes the envelope (envelope.json) and the
message (message.eml) into the folder given, and ends."""
import json
import os
import socket
import sys


def main():
    folder = sys.argv[1]
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.bind(("127.0.0.1", 0))
    server.listen(1)
    server.settimeout(60)
    print(server.getsockname()[1], flush=True)
    conn, _ = server.accept()
    conn.settimeout(60)
    reader = conn.makefile("rb")

    def reply(text):
        conn.sendall(text.encode("ascii") + b"\r\n")

    envelope = {"from": None, "to": []}
    reply("220 localhost test sink")
    while True:
        line = reader.readline()
        if not line:
            break
        command = line.decode("ascii", "replace").rstrip("\r\n")
        verb = command[:4].upper()
        if verb in ("EHLO", "HELO"):
            reply("250 localhost")
        elif verb == "MAIL":
            envelope["from"] = command.split(":", 1)[1].strip()
            reply("250 OK")
        elif verb == "RCPT":
            envelope["to"].append(command.split(":", 1)[1].strip())
            reply("250 OK")
        elif verb == "DATA":
            reply("354 End data with <CR><LF>.<CR><LF>")
            data = bytearray()
            while True:
                chunk = reader.readline()
                if chunk in (b".\r\n", b".\n", b""):
                    break
                if chunk.startswith(b".."):
                    chunk = chunk[1:]
                data += chunk
            with open(os.path.join(folder, "message.eml"), "wb") as out:
                out.write(bytes(data))
            reply("250 OK queued")
        elif verb == "QUIT":
            reply("221 Bye")
            break
        elif verb == "RSET" or verb == "NOOP":
            reply("250 OK")
        else:
            reply("502 Command not implemented")
    with open(os.path.join(folder, "envelope.json"), "w") as out:
        json.dump(envelope, out)
    conn.close()


main()
