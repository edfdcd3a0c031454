# The compiled module; its public face is the package (see __init__.pyi).
from typing import Any

__version__: str
GENERATION_LIMIT: int
GENERATION_LIMIT_MESSAGE: str

def __getattr__(name: str) -> Any: ...
