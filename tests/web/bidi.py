"""WebDriver BiDi, the protocol Firefox speaks itself on a WebSocket: commands
answered in order, the events that arrive meanwhile kept, and script values
turned into plain Python and back."""

import json
import math

import websocket

PATIENCE = 60  # seconds a command may take before the browser counts as hung


class BiDiError(RuntimeError):
    """The browser refused a command, or a script threw; the message says why."""


class Connection:
    def __init__(self, url):
        # Firefox refuses a WebSocket whose handshake names an origin.
        self.socket = websocket.create_connection(url, suppress_origin=True, timeout=PATIENCE)
        self.last = 0
        self.events = []  # (method, params) in the order they came

    def command(self, method, **params):
        self.last += 1
        self.socket.send(json.dumps({"id": self.last, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("type") == "event":
                self.events.append((message["method"], message["params"]))
            elif message.get("id") == self.last:
                if message["type"] == "error":
                    raise BiDiError(f"{method}: {message['error']}: {message['message']}")
                return message["result"]

    def taken(self, method):
        """The events of that kind so far: a round trip first, so that all sent
        before now have arrived."""
        self.command("session.status")
        return [params for name, params in self.events if name == method]

    def close(self):
        self.socket.close()


def local_value(value):
    """A Python value as a script argument: JSON-like values, or a node as
    found before (its shared reference)."""
    if value is None:
        return {"type": "null"}
    if isinstance(value, bool):
        return {"type": "boolean", "value": value}
    if isinstance(value, (int, float)):
        if math.isfinite(value):
            return {"type": "number", "value": value}
        return {"type": "number", "value": "NaN" if value != value else
                ("Infinity" if value > 0 else "-Infinity")}
    if isinstance(value, str):
        return {"type": "string", "value": value}
    if isinstance(value, (list, tuple)):
        return {"type": "array", "value": [local_value(v) for v in value]}
    if isinstance(value, dict) and "sharedId" in value:
        return {"sharedId": value["sharedId"]}
    if isinstance(value, dict):
        return {"type": "object", "value": [[str(k), local_value(v)] for k, v in value.items()]}
    raise TypeError(f"no script value for {value!r}")


SPECIAL_NUMBERS = {"NaN": math.nan, "-0": -0.0, "Infinity": math.inf, "-Infinity": -math.inf}


def python_value(remote):
    """A script's value as plain Python; a node stays the browser's reference
    to it, to be handed back."""
    kind, value = remote["type"], remote.get("value")
    if kind in ("undefined", "null"):
        return None
    if kind == "number":
        return SPECIAL_NUMBERS.get(value, value) if isinstance(value, str) else value
    if kind == "bigint":
        return int(value)
    if kind in ("string", "boolean", "date"):
        return value
    if kind in ("array", "set", "nodelist", "htmlcollection"):
        return [python_value(v) for v in value or []]
    if kind in ("object", "map"):
        return {(k if isinstance(k, str) else python_value(k)): python_value(v)
                for k, v in value or []}
    return remote  # nodes, windows, functions: the reference itself
