#!/usr/bin/env python3
"""A printer on a TCP port of its own choosing, which it prints first.

  listener.py HOST DIR [HOLD_FILE]

Each connection's bytes become the next numbered file of DIR (000000,
000001, ...) once the sender has closed its side. While HOLD_FILE exists,
connections wait unaccepted, as at a printer that takes nothing; once it is
removed they are read in order.
"""
import os
import socket
import sys
import time


def main():
    host, out = sys.argv[1], sys.argv[2]
    hold = sys.argv[3] if len(sys.argv) > 3 else None
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.bind((host, 0))
    server.listen(128)
    print(server.getsockname()[1], flush=True)
    count = 0
    while True:
        while hold and os.path.exists(hold):
            time.sleep(0.05)
        conn, _ = server.accept()
        chunks = []
        with conn:
            while True:
                data = conn.recv(65536)
                if not data:
                    break
                chunks.append(data)
        # Written whole under a temporary name, so that a reader never sees
        # a file in part.
        name = os.path.join(out, "%06d" % count)
        with open(name + ".part", "wb") as f:
            f.write(b"".join(chunks))
        os.rename(name + ".part", name)
        count += 1


if __name__ == "__main__":
    main()
