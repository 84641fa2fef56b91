-- 月別の売上を集計する (T-SQL)
DECLARE @From DATETIME, @To DATETIME
SET @From = '2003-04-01'
SET @To = DATEADD(month, 1, @From)

SELECT
	c.[Customer Name] AS 顧客名,
	COUNT(*) AS 件数,
	SUM(o.Amount) AS 合計
FROM dbo.Orders AS o
	INNER JOIN dbo.Customers AS c ON c.CustomerID = o.CustomerID
WHERE o.OrderDate >= @From AND o.OrderDate < @To
GROUP BY c.[Customer Name]
HAVING SUM(o.Amount) > 10000
ORDER BY 合計 DESC

/* 該当なしの場合 */
IF @@ROWCOUNT = 0
	PRINT N'該当するデータがありません'
