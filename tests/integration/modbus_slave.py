#!/usr/bin/python3
"""An independent Modbus slave for the integration tests.

pymodbus does the framing (RTU or ASCII), the request decoding, the register store and the
exception replies; this script only moves bytes between it and a serial device. (The serial
server of pymodbus needs serial_asyncio, which Debian 12 does not install with it.)

Prints "ready" once the device is open. Exits when its standard input closes, or after
--lifetime seconds, so a crashed test leaves nothing behind.
"""
import argparse
import select
import sys
import time

import serial
from pymodbus.datastore import ModbusSequentialDataBlock, ModbusServerContext, ModbusSlaveContext
from pymodbus.factory import ServerDecoder
from pymodbus.framer.ascii_framer import ModbusAsciiFramer
from pymodbus.framer.rtu_framer import ModbusRtuFramer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", required=True)
    parser.add_argument("--framer", choices=["rtu", "ascii"], required=True)
    parser.add_argument("--start", type=int, default=0, help="first input register served")
    parser.add_argument("--registers", required=True, help="comma-separated register values")
    parser.add_argument("--lifetime", type=float, default=30.0)
    args = parser.parse_args()

    values = [int(v, 0) for v in args.registers.split(",")]
    store = ModbusSlaveContext(ir=ModbusSequentialDataBlock(args.start, values), zero_mode=True)
    context = ModbusServerContext(slaves=store, single=True)
    framer_class = ModbusRtuFramer if args.framer == "rtu" else ModbusAsciiFramer
    framer = framer_class(ServerDecoder())
    line = serial.Serial(args.port, baudrate=9600, bytesize=8, parity="N", stopbits=1, timeout=0)

    def answer(request):
        response = request.execute(context[request.unit_id])
        response.unit_id = request.unit_id
        line.write(framer.buildPacket(response))

    print("ready", flush=True)
    deadline = time.monotonic() + args.lifetime
    while time.monotonic() < deadline:
        readable, _, _ = select.select([line.fileno(), sys.stdin.fileno()], [], [], 0.5)
        if sys.stdin.fileno() in readable and not sys.stdin.buffer.read1(64):
            return
        if line.fileno() in readable:
            data = line.read(line.in_waiting or 1)
            if data:
                framer.processIncomingPacket(data, answer, unit=0, single=True)


if __name__ == "__main__":
    main()
