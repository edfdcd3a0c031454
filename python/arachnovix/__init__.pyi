from os import PathLike
from typing import Any, Callable, Dict, List, Optional, Sequence, Tuple, Union

import numpy as np
import numpy.typing as npt

from .sweep import load_sweep as load_sweep

__version__: str
GENES: List[Tuple[str, int, int]]
GENE_NAMES: List[str]
ORIGINS: List[str]
SETTINGS: List[str]
STATS_COLUMNS: List[str]

Progress = Callable[[int, int, int, int], Any]
Number = Union[int, float]

class Run:
    population_size: int
    generations: int
    generation: int
    selected_spider: int
    seed: Optional[int]
    live: bool
    continues_exactly: bool
    provenance: Dict[str, Any]  # version, first_seed, last_bred, file_continuation
    settings: Dict[str, Union[int, float, str]]
    fitness: npt.NDArray[np.int32]  # (G, N)
    rules: npt.NDArray[np.int32]  # (G, N, 19)
    origin_codes: npt.NDArray[np.int32]  # (G, N)
    parents: npt.NDArray[np.int32]  # (G, N, 2)
    origin: npt.NDArray[np.object_]  # (G, N)
    genes: List[Tuple[str, int, int]]
    def resume(self, generations: int, seed: Optional[int] = ...,
               progress: Optional[Progress] = ..., threads: Optional[int] = ...,
               **settings: Union[Number, str]) -> "Run": ...
    def save(self, path: Union[str, PathLike], plain: bool = ...) -> None: ...
    def to_frame(self) -> Any: ...
    def stats(self) -> Any: ...
    def web(self, generation: Optional[int] = ..., spider: Optional[int] = ...) -> "Web": ...

class Web:
    radii: npt.NDArray[np.float64]  # (k, 4)
    radius_kinds: npt.NDArray[np.int32]  # (k,)
    frame: npt.NDArray[np.float64]  # (k, 4)
    spiral: npt.NDArray[np.float64]  # (m, 4)
    first_loop_threads: int
    spider_position: Tuple[int, int]
    radius_silk: float
    spiral_silk: float
    frame_silk: float
    total_silk: float
    threads: int

def load(path: Union[str, PathLike]) -> Run: ...
def evolve(seed: Optional[int] = ..., population: Optional[int] = ..., generations: int = ...,
           progress: Optional[Progress] = ..., threads: Optional[int] = ...,
           **settings: Union[Number, str]) -> Run: ...
def build_web(rules: Union[Sequence[int], npt.ArrayLike], silk_limit: int = ...) -> Web: ...
def evaluate(rules: Union[Sequence[int], npt.ArrayLike], prey: Optional[int] = ...,
             prey_size: Optional[float] = ..., seed: Optional[int] = ...,
             attack: Optional[str] = ..., **settings: Union[Number, str]) -> Dict[str, Any]: ...
