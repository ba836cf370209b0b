# Type stubs of corvane.dask.
from typing import Any, Optional

import pandas

def meta() -> pandas.DataFrame: ...
def charts(ddf: Any, jobs: Optional[int] = ..., **settings: Any) -> Any: ...
