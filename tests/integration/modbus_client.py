#!/usr/bin/python3
"""A Modbus RTU master other than the program's, for the integration tests.

Reads input registers with pymodbus's serial client and prints one line
"registers v1,v2,..." (or "failed <reason>"), then exits.
"""
import argparse

from pymodbus.client import ModbusSerialClient


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", required=True)
    parser.add_argument("--slave", type=int, default=1)
    parser.add_argument("--start", type=int, default=0)
    parser.add_argument("--count", type=int, required=True)
    args = parser.parse_args()

    client = ModbusSerialClient(method="rtu", port=args.port, baudrate=9600, timeout=2)
    if not client.connect():
        print("failed to open", args.port, flush=True)
        return
    result = client.read_input_registers(args.start, args.count, slave=args.slave)
    client.close()
    if result.isError():
        print("failed", result, flush=True)
    else:
        print("registers", ",".join(str(v) for v in result.registers), flush=True)


if __name__ == "__main__":
    main()
