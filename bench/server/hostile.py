#!/usr/bin/env python3
"""Hostile clients for bench/server/attack, each from a loopback address of its own.

  hostile.py idle PORT COUNT SECONDS      COUNT kept-alive connections, idle after one query
  hostile.py guess PORT COUNT SECONDS     COUNT connections posting wrong passwords in a loop
  hostile.py stream PORT COUNT SECONDS    COUNT connections streaming header lines and bodies
Prints what it did on one line at the end."""
import socket, sys, threading, time

mode, port, count, seconds = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4])
source = {"idle": "127.0.0.2", "guess": "127.0.0.3", "stream": "127.0.0.4"}[mode]
end = time.time() + seconds
done = {"connections": 0, "requests": 0, "refused": 0}
lock = threading.Lock()


def connect():
    s = socket.socket()
    s.bind((source, 0))
    s.connect(("127.0.0.1", port))
    return s


def count_up(name):
    with lock:
        done[name] += 1


def idle():
    held = []
    for _ in range(count):
        try:
            s = connect()
            s.sendall(b"GET /vtldb/query.php?hash=" + b"0" * 40 + b" HTTP/1.1\r\nHost: x\r\n\r\n")
            held.append(s)
            count_up("connections")
        except OSError:
            count_up("refused")
    time.sleep(max(0, end - time.time()))


def guess(n):
    body = ("hash=" + "a" * 40 + "&prop=MnxC&username=bench&password=guess%d" % n).encode()
    while time.time() < end:
        try:
            s = connect()
            s.sendall(b"POST /vtldb/insert.php HTTP/1.0\r\nContent-Length: %d\r\n\r\n" % len(body) + body)
            s.recv(4096)
            s.close()
            count_up("requests")
        except OSError:
            count_up("refused")


def stream(n):
    line = b"X-Filler: " + b"h" * 1000 + b"\r\n"
    while time.time() < end:
        try:
            s = connect()
            count_up("connections")
            # Odd connections never end their headers, even ones announce a body far over the limit.
            s.sendall(b"POST /vtldb/insert.php HTTP/1.1\r\nContent-Length: 100000000\r\n" + (b"" if n % 2 else b"\r\n"))
            while time.time() < end:
                s.sendall(line if n % 2 else b"x" * 4096)
        except OSError:
            count_up("refused")


if mode == "idle":
    idle()
else:
    workers = [threading.Thread(target=guess if mode == "guess" else stream, args=(i,)) for i in range(count)]
    for w in workers:
        w.start()
    for w in workers:
        w.join()
print(mode, " ".join("%s %d" % item for item in done.items()))
