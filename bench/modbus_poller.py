#!/usr/bin/python3
"""A scripted Modbus RTU master for the side-by-side measurement: pymodbus's serial client
reading input registers every PERIOD ms until it is stopped."""
import argparse
import time

from pymodbus.client import ModbusSerialClient


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", required=True)
    parser.add_argument("--slave", type=int, default=5)
    parser.add_argument("--count", type=int, default=20)
    parser.add_argument("--period-ms", type=int, default=100)
    args = parser.parse_args()

    client = ModbusSerialClient(method="rtu", port=args.port, baudrate=9600, stopbits=2,
                                timeout=1)
    if not client.connect():
        raise SystemExit("cannot open " + args.port)
    period = args.period_ms / 1000
    next_poll = time.monotonic()
    while True:
        client.read_input_registers(0, args.count, slave=args.slave)
        next_poll += period
        time.sleep(max(0.0, next_poll - time.monotonic()))


if __name__ == "__main__":
    main()
