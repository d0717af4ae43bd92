#!/usr/bin/env python3
"""A print server that answers late: forwards TCP connections to the CUPS
scheduler's socket, but holds back, for HOLD seconds, everything a client
sends from its first IPP request of the given operation on; the client may
have given up and closed by then. Prints its port once listening.
Usage: stalling-proxy.py SCHEDULER_SOCKET OPERATION_ID HOLD_SECONDS"""
import re
import socket
import sys
import threading
import time

scheduler, operation, hold = sys.argv[1], int(sys.argv[2], 0), float(sys.argv[3])
# A request's start: the HTTP header, a chunk size maybe, then the IPP
# message's version and operation.
request = re.compile(rb"POST [^\r]*\r\n(?:[^\r]+\r\n)*\r\n(?:[0-9a-fA-F]+\r\n)?[\x01\x02][\x00\x01](..)", re.S)


def pipe(source, target):
    try:
        while data := source.recv(65536):
            target.sendall(data)
    except OSError:
        pass
    try:
        target.shutdown(socket.SHUT_WR)
    except OSError:
        pass


def client_to_server(client, server):
    # A request's first bytes wait here until its operation is known, so
    # that none of the request held back reaches the scheduler early.
    pending, held, holding = b"", [], None
    try:
        while data := client.recv(65536):
            if holding is not None:
                held.append(data)
                continue
            pending += data
            if pending[:4] != b"POST"[: len(pending[:4])]:
                server.sendall(pending)
                pending = b""
                continue
            found = request.match(pending)
            if found and int.from_bytes(found.group(1), "big") == operation:
                holding = time.monotonic()
                held.append(pending)
            elif found or len(pending) > 65536:
                server.sendall(pending)
                pending = b""
    except OSError:
        pass
    if holding is not None:
        time.sleep(max(0.0, holding + hold - time.monotonic()))
        for data in held:
            server.sendall(data)
    try:
        server.shutdown(socket.SHUT_WR)
    except OSError:
        pass


def serve(client):
    server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    server.connect(scheduler)
    threading.Thread(target=pipe, args=(server, client), daemon=True).start()
    client_to_server(client, server)


listener = socket.socket()
listener.bind(("127.0.0.1", 0))
listener.listen(8)
print(listener.getsockname()[1], flush=True)
while True:
    connection, _ = listener.accept()
    threading.Thread(target=serve, args=(connection,), daemon=True).start()
